#include "exchange/dxf_import.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <unordered_map>
#include <utility>

#include "exchange/dxf_pairs.h"
#include "exchange/imported_objects.h"
#include "kernel/curve_object.h"
#include "platform/file_handle.h"
#include "scene/scene_views.h"

namespace {

// Consecutive 3D polyline vertices closer than this on every axis are one point.
constexpr float kPolylinePointTolerance = 0.00001f;
// An arc angle beyond this is no drawing's: stepping such an angle by 360 degrees would take
// millions of turns, or never end once 360 no longer changes the float.
constexpr float kMaxArcAngle = 1e6f;
constexpr int kPolyfaceFlags = 64;
constexpr int kPolyfaceFaceFlags = 128;
constexpr int kClosedPolylineFlag = 1;

// The layer meshes of the import under way, the newest last, and each one's place by name.
struct LayerMeshList {
  std::vector<DxfLayerMesh> meshes;
  std::unordered_map<std::string, std::size_t> byName;
};
LayerMeshList LayerMeshes;
std::string CurrentLayerName;

// Sets the coordinate of *p that the code names, among base (x), base + 10 (y) and base + 20 (z).
void ReadCoordinate(const DxfPairReader& pairs, int base, Vector3* p) {
  if (pairs.code() == base) pairs.ReadValue(&p->x);
  if (pairs.code() == base + 10) pairs.ReadValue(&p->y);
  if (pairs.code() == base + 20) pairs.ReadValue(&p->z);
}

bool PolylinePointsDiffer(Vector3 a, Vector3 b) {
  return std::fabs(a.x - b.x) > kPolylinePointTolerance || std::fabs(a.y - b.y) > kPolylinePointTolerance ||
         std::fabs(a.z - b.z) > kPolylinePointTolerance;
}

void AddTriangle(DxfLayerMesh& mesh, std::int32_t a, std::int32_t b, std::int32_t c) {
  mesh.faceSizes.push_back(3);
  mesh.faceIndices.insert(mesh.faceIndices.end(), {a, b, c});
}

void AddNewTriangle(DxfLayerMesh& mesh, Vector3 a, Vector3 b, Vector3 c) {
  const auto first = static_cast<std::int32_t>(mesh.points.size());
  mesh.points.insert(mesh.points.end(), {a, b, c});
  AddTriangle(mesh, first, first + 1, first + 2);
}

class DxfReader {
 public:
  DxfReader(std::FILE* file, ImportResult* result) : pairs_(file), result_(result) {}

  // The entity loop: an entity name on any value line of the drawing starts that entity's reader,
  // which leaves the name of the entity after it as the value; every other pair is passed over.
  void Run() {
    while (pairs_.value() != "EOF") {
      const std::string& name = pairs_.value();
      if (!InDrawing()) {
        PassOver();
      } else if (name == "3DFACE") {
        ReadFace();
      } else if (name == "POLYLINE") {
        ReadPolyline();
      } else if (name == "LINE" || name == "3DLINE") {
        ReadLine();
      } else if (name == "CIRCLE") {
        ReadCircle();
      } else if (name == "ARC") {
        ReadArc();
      } else {
        PassOver();
      }
    }
    if (pairs_.Damaged()) result_->dropped = true;
  }

 private:
  // Whether the pairs belong to the drawing: anywhere but in the sections of settings, tables,
  // block definitions and objects. A file without sections is all drawing.
  bool InDrawing() const {
    return section_ != "HEADER" && section_ != "CLASSES" && section_ != "TABLES" && section_ != "BLOCKS" &&
           section_ != "OBJECTS";
  }

  // Follows the sections, counts as dropped an entity of the drawing the reader does not take,
  // and moves to the next pair. The empty name is the pair before the first.
  void PassOver() {
    if (sectionStarts_ && pairs_.code() == 2) section_ = pairs_.value();
    sectionStarts_ = false;
    if (pairs_.code() == 0) {
      const std::string& name = pairs_.value();
      if (name == "SECTION") {
        sectionStarts_ = true;
      } else if (name == "ENDSEC") {
        section_.clear();
      } else if (!name.empty() && name != "SEQEND" && InDrawing()) {
        result_->dropped = true;
      }
    }
    pairs_.Next();
  }

  // Reads an entity's pairs up to its code 0, giving each to take; code 8 sets the layer name.
  // False, with the entity counted as dropped, when the end of the file cuts it short.
  template <class Take>
  bool ReadEntity(Take take) {
    while (pairs_.Next()) {
      if (pairs_.code() == 0) return true;
      if (pairs_.code() == 8) {
        CurrentLayerName = pairs_.value();
      } else {
        take();
      }
    }
    result_->dropped = true;
    return false;
  }

  bool SkipEntity() {
    return ReadEntity([] {});
  }

  // Keeps the entity's shape unless a value is not finite.
  bool Keep(bool finite) {
    if (!finite) result_->dropped = true;
    return finite;
  }

  DxfLayerMesh& MeshOfCurrentLayer() {
    const auto [place, added] = LayerMeshes.byName.try_emplace(CurrentLayerName, LayerMeshes.meshes.size());
    if (added) LayerMeshes.meshes.push_back(DxfLayerMesh{CurrentLayerName, {}, {}, {}});
    return LayerMeshes.meshes[place->second];
  }

  void ReadFace() {
    std::array<Vector3, 4> corner{};
    if (!ReadEntity([&] {
          for (int k = 0; k < 4; ++k) ReadCoordinate(pairs_, 10 + k, &corner[static_cast<std::size_t>(k)]);
        })) {
      return;
    }
    if (!Keep(IsFiniteVector(corner[0]) && IsFiniteVector(corner[1]) && IsFiniteVector(corner[2]) &&
              IsFiniteVector(corner[3]))) {
      return;
    }
    DxfLayerMesh& mesh = MeshOfCurrentLayer();
    AddNewTriangle(mesh, corner[0], corner[1], corner[2]);
    if (VectorsDiffer(corner[3], corner[2])) AddNewTriangle(mesh, corner[0], corner[2], corner[3]);
  }

  void ReadPolyline() {
    int flags = 0;
    if (!ReadEntity([&] {
          if (pairs_.code() == 70) pairs_.ReadValue(&flags);
        })) {
      return;
    }
    if (flags == kPolyfaceFlags) {
      ReadPolyface(flags);
    } else {
      ReadPolylineCurve(flags);
    }
  }

  // The vertices up to SEQEND, each given to vertex; other entities among them are passed over.
  // False when the file ends first: the polyline is cut and counted as dropped.
  template <class Vertex>
  bool ReadVertices(Vertex vertex) {
    while (pairs_.value() != "SEQEND") {
      if (pairs_.value() == "EOF") {
        result_->dropped = true;
        return false;
      }
      if (!(pairs_.value() == "VERTEX" ? vertex() : SkipEntity())) return false;
    }
    return true;
  }

  // A polyface mesh joins its layer's mesh. Its faces name its vertices from 1 (a negative
  // number marks an invisible edge); a face is kept only when every corner names a vertex of
  // this polyline read before it, since any other index would join unrelated points or reach
  // past the mesh. A fourth corner makes a second triangle, as a 3DFACE's does. The flags carry
  // over from the header and from vertex to vertex when a vertex has no code 70.
  void ReadPolyface(int flags) {
    const bool newMesh = !LayerMeshes.byName.contains(CurrentLayerName);
    DxfLayerMesh& mesh = MeshOfCurrentLayer();
    const std::size_t pointsBefore = mesh.points.size();
    const std::size_t facesBefore = mesh.faceSizes.size();
    const std::size_t indicesBefore = mesh.faceIndices.size();
    // The mesh point of each vertex of this polyline; -1 for one that was not finite.
    std::vector<std::int32_t> vertexPoints;
    const auto point = [&](int number) -> std::int32_t {
      const long long n = std::llabs(number);
      return n >= 1 && n <= static_cast<long long>(vertexPoints.size()) ? vertexPoints[static_cast<std::size_t>(n - 1)] : -1;
    };
    const bool whole = ReadVertices([&] {
      Vector3 p{};
      std::array<int, 4> corner{};
      if (!ReadEntity([&] {
            ReadCoordinate(pairs_, 10, &p);
            if (pairs_.code() == 70) pairs_.ReadValue(&flags);
            if (pairs_.code() >= 71 && pairs_.code() <= 74) pairs_.ReadValue(&corner[static_cast<std::size_t>(pairs_.code() - 71)]);
          })) {
        return false;
      }
      if (flags != kPolyfaceFaceFlags) {
        vertexPoints.push_back(Keep(IsFiniteVector(p)) ? static_cast<std::int32_t>(mesh.points.size()) : -1);
        if (vertexPoints.back() >= 0) mesh.points.push_back(p);
        return true;
      }
      const std::int32_t a = point(corner[0]);
      const std::int32_t b = point(corner[1]);
      const std::int32_t c = point(corner[2]);
      if (!Keep(a >= 0 && b >= 0 && c >= 0)) return true;
      AddTriangle(mesh, a, b, c);
      if (corner[3] == 0) return true;
      const std::int32_t d = point(corner[3]);
      if (Keep(d >= 0)) AddTriangle(mesh, a, c, d);
      return true;
    });
    if (whole) return;
    mesh.points.resize(pointsBefore);
    mesh.faceSizes.resize(facesBefore);
    mesh.faceIndices.resize(indicesBefore);
    if (newMesh) {
      LayerMeshes.byName.erase(mesh.name);
      LayerMeshes.meshes.pop_back();
    }
  }

  // A 3D polyline becomes a curve through its points, closed when its flags say so or its last
  // point returns to its first; repeated points are taken once. One of fewer than two points is
  // no curve.
  void ReadPolylineCurve(int flags) {
    std::vector<Vector3> points;
    bool finite = true;
    const bool whole = ReadVertices([&] {
      Vector3 p{};
      if (!ReadEntity([&] { ReadCoordinate(pairs_, 10, &p); })) return false;
      finite = finite && IsFiniteVector(p);
      if (points.empty() || PolylinePointsDiffer(p, points.back())) points.push_back(p);
      return true;
    });
    if (!whole || !Keep(finite && points.size() >= 2)) return;
    const bool returns = points.size() > 2 && !PolylinePointsDiffer(points.back(), points.front());
    if (returns) points.pop_back();
    const bool closed = returns || ((flags & kClosedPolylineFlag) != 0 && points.size() > 2);
    auto curve = std::make_unique<CCurveObject>();
    curve->closed = closed ? 1 : 0;
    curve->stepsPerSpan = 0;
    AddCurve(std::move(curve), std::move(points));
  }

  void ReadLine() {
    Vector3 start{};
    Vector3 end{};
    if (!ReadEntity([&] {
          ReadCoordinate(pairs_, 10, &start);
          ReadCoordinate(pairs_, 11, &end);
        })) {
      return;
    }
    if (Keep(IsFiniteVector(start) && IsFiniteVector(end))) AddCurve(std::make_unique<CCurveObject>(), {start, end});
  }

  // Reads the centre, radius and (for an arc) the two angles; false when the entity is cut or
  // a value is not finite.
  bool ReadRound(Vector3* centre, float* radius, float* start = nullptr, float* end = nullptr) {
    if (!ReadEntity([&] {
          ReadCoordinate(pairs_, 10, centre);
          if (pairs_.code() == 40) pairs_.ReadValue(radius);
          if (start != nullptr && pairs_.code() == 50) pairs_.ReadValue(start);
          if (end != nullptr && pairs_.code() == 51) pairs_.ReadValue(end);
        })) {
      return false;
    }
    return Keep(IsFiniteVector(*centre) && std::isfinite(*radius) &&
                (start == nullptr || (std::fabs(*start) <= kMaxArcAngle && std::fabs(*end) <= kMaxArcAngle)));
  }

  // A closed curve of 8 control points at every 45 degrees, at the distance from the centre
  // that makes the uniform cubic B-spline pass through the circle at those angles.
  void ReadCircle() {
    Vector3 centre{};
    float radius = 0.0f;
    if (!ReadRound(&centre, &radius)) return;
    const float distance = 3.0f * radius / (2.0f + static_cast<float>(std::cos(std::numbers::pi / 4)));
    std::vector<Vector3> points;
    for (int k = 0; k < 8; ++k) points.push_back(PointAround(centre, distance, 45.0f * static_cast<float>(k)));
    auto curve = std::make_unique<CCurveObject>();
    curve->closed = 1;
    AddCurve(std::move(curve), std::move(points));
  }

  // An open curve through points every 5 degrees or less from the start angle to the end angle,
  // counter-clockwise.
  void ReadArc() {
    Vector3 centre{};
    float radius = 0.0f;
    float start = 0.0f;
    float end = 0.0f;
    if (!ReadRound(&centre, &radius, &start, &end)) return;
    while (end <= start) end += 360.0f;
    const float sweep = end - start;
    const int segments = static_cast<int>(std::ceil(sweep * 0.2));
    std::vector<Vector3> points;
    for (int k = 0; k <= segments; ++k) {
      points.push_back(PointAround(centre, radius, start + static_cast<float>(k) * sweep / static_cast<float>(segments)));
    }
    auto curve = std::make_unique<CCurveObject>();
    curve->stepsPerSpan = 0;
    AddCurve(std::move(curve), std::move(points));
  }

  static Vector3 PointAround(Vector3 centre, float distance, float degrees) {
    const double radians = static_cast<double>(degrees) * std::numbers::pi / 180.0;
    return {centre.x + distance * static_cast<float>(std::cos(radians)),
            centre.y + distance * static_cast<float>(std::sin(radians)), centre.z};
  }

  void AddCurve(std::unique_ptr<CCurveObject> curve, std::vector<Vector3> points) {
    CCurveObject* added = AddImportedObject(std::move(curve), result_);
    if (added == nullptr) return;
    const auto count = static_cast<int>(points.size());
    added->SetPoints(count, std::move(points));
    added->controlPointsHidden = 1;
  }

  DxfPairReader pairs_;
  ImportResult* result_;
  // The section being read; empty outside every section.
  std::string section_;
  bool sectionStarts_ = false;
};

}  // namespace

void ResetDxfImportState() {
  LayerMeshes = LayerMeshList();
  CurrentLayerName.clear();
}

ImportResult DxfImport(const std::string& path) {
  ImportResult result;
  {
    const FileHandle file = OpenFile(path, "r");
    if (!file) return result;
    result.opened = true;
    DxfReader(file.get(), &result).Run();
  }
  // The layer met last becomes the first mesh.
  while (!LayerMeshes.meshes.empty()) {
    DxfLayerMesh mesh = std::move(LayerMeshes.meshes.back());
    LayerMeshes.meshes.pop_back();
    AddImportedMesh(std::move(mesh.points), std::move(mesh.faceSizes), mesh.faceIndices, MappingFit::kToWeldedPoints,
                    &result);
  }
  LayerMeshes.byName.clear();
  RedrawAllViews();
  return result;
}

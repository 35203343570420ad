#include "exchange/dxf_writers.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "exchange/dxf_face_format.h"
#include "exchange/export_stack.h"
#include "exchange/output_file.h"
#include "exchange/triangle_export_walk.h"
#include "kernel/block_object.h"
#include "kernel/block_solid.h"
#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "kernel/mesh_faces.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"

namespace {

// The points placed by the top of the stack; false, with nothing kept, when one of them becomes
// a value no reader takes.
bool PlacePoints(const Vector3* points, std::size_t count, const Matrix4& placement,
                 std::vector<Vector3>* placed) {
  placed->resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    (*placed)[i] = TransformPoint(points[i], placement);
    if (!IsFiniteVector((*placed)[i])) {
      placed->clear();
      return false;
    }
  }
  return true;
}

// Every triangle as a 3DFACE whose last corner repeats its third, on the current layer.
class DxfFaceEmitter : public TriangleEmitter {
 public:
  DxfFaceEmitter(ExportStack& stack, OutputFile& out) : stack_(stack), out_(out) {}

  // Zero-area faces are kept; a corner that is no number drops its face.
  void EmitTriangle(Vector3 v1, Vector3 v2, Vector3 v3) final {
    const Matrix4& placement = stack_.top->matrix;
    const Vector3 a = TransformPoint(v1, placement);
    const Vector3 b = TransformPoint(v2, placement);
    const Vector3 c = TransformPoint(v3, placement);
    if (!IsFiniteVector(a) || !IsFiniteVector(b) || !IsFiniteVector(c)) return;
    WriteDxfFace(out_, layer, {a, b, c, c});
  }

  int layer = 1;

 protected:
  ExportStack& stack_;
  OutputFile& out_;
};

// Surfaces and meshes whole, as polyface meshes; blocks as the polyfaces of their walls and
// ends with their end faces; the triangles of caps and end faces as 3DFACEs.
class DxfPolyfaceEmitter final : public DxfFaceEmitter {
 public:
  using DxfFaceEmitter::DxfFaceEmitter;

  // Faces run along the rows: s is the grid point (i, j) counted from 1.
  void EmitGrid(const Vector3* grid, int rows, int columns, int orientationFlag) override {
    const std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    if (!PlacePoints(grid, count, stack_.top->matrix, &placed_)) return;
    WriteDxfPolyfaceHeader(out_, layer, static_cast<std::int64_t>(count),
                           2 * std::int64_t{rows - 1} * (columns - 1));
    WriteVertices();
    for (int i = 0; i + 1 < rows; ++i) {
      for (int j = 0; j + 1 < columns; ++j) {
        const int s = i * columns + j + 1;
        if (orientationFlag != 0) {
          WriteDxfPolyfaceFace(out_, layer, s, s + columns, s + columns + 1);
          WriteDxfPolyfaceFace(out_, layer, s, s + columns + 1, s + 1);
        } else {
          WriteDxfPolyfaceFace(out_, layer, s, s + columns + 1, s + columns);
          WriteDxfPolyfaceFace(out_, layer, s, s + 1, s + columns + 1);
        }
      }
    }
    WriteDxfSequenceEnd(out_, layer);
  }

  void EmitMesh(const CMeshObject& mesh) override { EmitFaces(mesh.points, mesh.faceIndices, mesh.faceSizes); }

  // A block as its closed solid, one polyface mesh like any other.
  void EmitOther(const CGeomObject& object, TriangleExportWalk& /*walk*/) override {
    if (object.GetKind() != kKindBlock) return;
    const BlockSolid solid = TessellateBlock(static_cast<const CBlockObject&>(object));
    EmitFaces(solid.points, solid.faceIndices, solid.faceSizes);
  }

 private:
  void WriteVertices() {
    for (const Vector3& point : placed_) WriteDxfPolyfaceVertex(out_, layer, point);
  }

  // Faces as fans; the header counts exactly the faces written, so a face that names a missing
  // point or has fewer than three is neither written nor counted.
  void EmitFaces(std::span<const Vector3> points, std::span<const std::int32_t> indices,
                 std::span<const std::int32_t> sizes) {
    if (!PlacePoints(points.data(), points.size(), stack_.top->matrix, &placed_)) return;
    std::int64_t faces = 0;
    ForEachUsableFace(points, indices, sizes, [&](std::size_t, std::size_t size) {
      if (size >= 3) faces += static_cast<std::int64_t>(size) - 2;
    });
    WriteDxfPolyfaceHeader(out_, layer, static_cast<std::int64_t>(points.size()), faces);
    WriteVertices();
    ForEachUsableFace(points, indices, sizes, [&](std::size_t first, std::size_t size) {
      for (std::size_t m = first + 1; m + 1 < first + size; ++m) {
        WriteDxfPolyfaceFace(out_, layer, indices[first] + 1, indices[m] + 1, indices[m + 1] + 1);
      }
    });
    WriteDxfSequenceEnd(out_, layer);
  }

  std::vector<Vector3> placed_;
};

// The walk of the triangle formats, with the layer number counted on after every object taken.
template <class Emitter>
bool WriteWalkedDxf(ExportFamily family, const CGeomObject* first, const std::string& path) {
  OutputFile out;
  if (!out.Open(path)) return false;
  ExportStack& stack = ExportStackOf(family);
  Emitter emitter(stack, out);
  TriangleExportWalk walk(stack, emitter);
  out.Write(kDxfEntitiesBegin);
  StartExport(stack);
  ForEachExportedObject(first, [&](const CGeomObject& object) {
    walk.ExportObject(object);
    ++emitter.layer;
  });
  out.Write(kDxfEntitiesEnd);
  return out.Commit();
}

}  // namespace

bool Dxf3DFaceWriter(const CGeomObject* first, const std::string& path) {
  return WriteWalkedDxf<DxfFaceEmitter>(ExportFamily::kDxfFaces, first, path);
}

bool DxfPolylineWriter(const CGeomObject* first, const std::string& path) {
  return WriteWalkedDxf<DxfPolyfaceEmitter>(ExportFamily::kDxfPolyline, first, path);
}

bool DxfCurvesWriter(const CGeomObject* first, const std::string& path) {
  OutputFile out;
  if (!out.Open(path)) return false;
  // Curves are written where they stand, but the family's stack starts each export as every
  // other does.
  StartExport(ExportStackOf(ExportFamily::kDxfCurves));
  out.Write(kDxfEntitiesBegin);
  int layer = 1;
  ForEachExportedObject(first, [&](const CGeomObject& object) {
    if (object.GetKind() == kKindCurve) {
      const auto& curve = static_cast<const CCurveObject&>(object);
      const std::vector<Vector3> extended = ExtendCurveEnds(
          curve.PointCount(), curve.points.data(), curve.startAttribute, curve.endAttribute, curve.closed);
      const std::vector<Vector3> points =
          EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()), curve.stepsPerSpan);
      // A point that is no number leaves the curve out; its layer number stays taken.
      if (std::all_of(points.begin(), points.end(), IsFiniteVector)) {
        WriteDxfCurve(out, layer, points, curve.closed != 0);
      }
    }
    ++layer;
  });
  out.Write(kDxfEntitiesEnd);
  return out.Commit();
}

#include "manufacturing/slc_to_mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "exchange/mesh_writers.h"
#include "exchange/output_file.h"
#include "exchange/stl_facet.h"
#include "kernel/outline_rings.h"
#include "manufacturing/slc_reader.h"
#include "services/progress.h"

namespace {

constexpr int kConvertingSlcString = 10127;  // "Converting SLC to STL ..."

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

Vector3 MapPoint(SlcPoint p, float z, int mapping) {
  if (mapping == 1) return {-z, p.y, p.x};
  if (mapping == 2) return {p.x, -z, p.y};
  return {p.x, p.y, z};
}

// The mesh writers drop a facet whose edge or normal is zero within this on every axis.
constexpr float kWriterZero = 0.0001f;

// A boundary's ring without its repeated last vertex, from which the writers drop no facet: a
// vertex is kept only when the wall from the vertex kept before it is written, and a vertex all
// but in line with its neighbours, whose cap triangle would be dropped, goes too. A facet the
// writers drop would leave a sliver hole in the slab. Walls and caps are built from the same ring,
// so they share their vertices. Fewer than 3 vertices make no ring.
std::vector<SlcPoint> MergedRing(const std::vector<SlcPoint>& boundary, float height) {
  // A wall's normal is its edge times the height.
  const float least = std::max(kWriterZero, kWriterZero / height);
  const auto apart = [least](SlcPoint a, SlcPoint b) {
    return std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y)) >= least;
  };
  std::vector<SlcPoint> ring;
  for (std::size_t j = 0; j + 1 < boundary.size(); ++j) {
    if (ring.empty() || apart(ring.back(), boundary[j])) ring.push_back(boundary[j]);
  }
  while (ring.size() > 1 && !apart(ring.back(), ring.front())) ring.pop_back();
  // The writers' test of a cap triangle (a, b, c) is on its normal, twice its area.
  const auto flat = [](SlcPoint a, SlcPoint b, SlcPoint c) {
    return std::fabs((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) < kWriterZero;
  };
  for (bool removed = true; removed && ring.size() >= 3;) {
    removed = false;
    for (std::size_t j = 0; j < ring.size() && ring.size() >= 3;) {
      const SlcPoint a = ring[(j + ring.size() - 1) % ring.size()];
      const SlcPoint c = ring[(j + 1) % ring.size()];
      if (flat(a, ring[j], c) && apart(a, c)) {
        ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(j));
        removed = true;
      } else {
        ++j;
      }
    }
  }
  if (ring.size() < 3) ring.clear();
  return ring;
}

// Takes out of the rings the end of the shortest of the triangle's sides that is a ring edge;
// false when none is.
bool DropShortRingEdge(std::vector<std::vector<SlcPoint>>& rings, const Vector3* triangle) {
  std::vector<SlcPoint>* best = nullptr;
  std::size_t bestEnd = 0;
  float bestLength = 0.0f;
  const auto same = [](SlcPoint p, const Vector3& v) { return p.x == v.x && p.y == v.y; };
  for (std::vector<SlcPoint>& ring : rings) {
    for (std::size_t j = 0; j < ring.size(); ++j) {
      const std::size_t k = (j + 1) % ring.size();
      for (int side = 0; side < 3; ++side) {
        const Vector3& a = triangle[side];
        const Vector3& b = triangle[(side + 1) % 3];
        if (!(same(ring[j], a) && same(ring[k], b)) && !(same(ring[j], b) && same(ring[k], a))) continue;
        const float length = std::hypot(b.x - a.x, b.y - a.y);
        if (best == nullptr || length < bestLength) best = &ring, bestEnd = k, bestLength = length;
      }
    }
  }
  if (best == nullptr) return false;
  best->erase(best->begin() + static_cast<std::ptrdiff_t>(bestEnd));
  if (best->size() < 3) best->clear();
  return true;
}

// The cap's triangles over the rings. A triangle the mesh writers would drop, on an edge so short
// that the triangle is too thin for them, would leave a hole between the walls and the rest of the
// cap: that edge's end goes from its ring and the cap is made again. Each round takes a vertex at
// least, so the rounds end; the walls are built from the rings as they are left.
std::vector<Vector3> CapCorners(std::vector<std::vector<SlcPoint>>& rings, float bottom, int mapping) {
  for (;;) {
    std::vector<std::vector<Vector3>> outlines;
    for (const std::vector<SlcPoint>& ring : rings) {
      if (ring.empty()) continue;
      std::vector<Vector3>& outline = outlines.emplace_back();
      for (const SlcPoint& p : ring) outline.push_back(MapPoint(p, bottom, mapping));
    }
    if (outlines.empty()) return {};
    // The rings' corners lie many to a column.
    std::vector<Vector3> corners =
        TriangulateOutlines(std::move(outlines), {0.0f, 0.0f, 1.0f}, LevelCorners::kAlongTheLine);
    bool dropped = false;
    for (std::size_t t = 0; t + 2 < corners.size(); t += 3) {
      // The top is written from the first corner, the bottom from the second.
      StlFacet facet;
      const bool written = MakeMeshFacet(corners[t], corners[t + 1], corners[t + 2], &facet) &&
                           MakeMeshFacet(corners[t + 1], corners[t], corners[t + 2], &facet);
      if (!written && DropShortRingEdge(rings, &corners[t])) dropped = true;
    }
    if (!dropped) return corners;
  }
}

void WriteSlab(MeshWriter& writer, const SlcLayer& layer, float bottom, float top, int caps, int mapping) {
  std::vector<std::vector<SlcPoint>> rings;
  for (const std::vector<SlcPoint>& boundary : layer.boundaries) rings.push_back(MergedRing(boundary, top - bottom));
  const std::vector<Vector3> corners = caps != 0 ? CapCorners(rings, bottom, mapping) : std::vector<Vector3>();
  for (const std::vector<SlcPoint>& ring : rings) {
    for (std::size_t j = 0; j < ring.size(); ++j) {
      const SlcPoint a = ring[j];
      const SlcPoint b = ring[(j + 1) % ring.size()];
      const Vector3 a0 = MapPoint(a, bottom, mapping);
      const Vector3 b0 = MapPoint(b, bottom, mapping);
      const Vector3 a1 = MapPoint(a, top, mapping);
      const Vector3 b1 = MapPoint(b, top, mapping);
      writer.WriteFacet(a0, b0, a1);
      writer.WriteFacet(b0, b1, a1);
    }
  }
  for (std::size_t t = 0; t + 2 < corners.size(); t += 3) {
    const Vector3& p1 = corners[t];
    const Vector3& p2 = corners[t + 1];
    const Vector3& p3 = corners[t + 2];
    writer.WriteFacet({p1.x, p1.y, top}, {p2.x, p2.y, top}, {p3.x, p3.y, top});
    writer.WriteFacet({p2.x, p2.y, bottom}, {p1.x, p1.y, bottom}, {p3.x, p3.y, bottom});
  }
}

}  // namespace

bool SlcToMesh(const std::string& slicePath, const std::string& meshPath, float thicknessScale, int caps,
               int mapping) {
  const std::unique_ptr<std::FILE, FileCloser> slices(std::fopen(slicePath.c_str(), "rb"));
  if (!slices) return false;
  if (!MeshOutputFile.Open(meshPath)) return false;
  MeshWriter& writer = CurrentMeshWriter();
  writer.BeginFile();
  SlcReader reader(slices.get());
  std::string header;
  float thickness = 0.0f;
  if (reader.ReadHeaderText(&header) && reader.ReadSamplingTable(&thickness)) {
    thickness *= thicknessScale;
    const long first = reader.Position();
    int layers = 0;
    while (reader.ReadLayer(nullptr) == SlcReader::Record::kLayer) ++layers;
    if (reader.Seek(first)) {
      CProgress progress;
      progress.OpenWithStringId(layers, kConvertingSlcString, 1);
      SlcLayer layer;
      bool started = false;
      float previousTop = 0.0f;
      while (reader.ReadLayer(&layer) == SlcReader::Record::kLayer) {
        const float bottom = started ? previousTop : layer.z;
        const float top = layer.z + thickness;
        WriteSlab(writer, layer, bottom, top, caps, mapping);
        previousTop = top;
        started = true;
        if (progress.StepIt() == 1) break;
      }
    }
  }
  writer.EndFile();
  return MeshOutputFile.Commit();
}

bool ConvertSlcToMesh(const std::string& slicePath, const std::string& meshPath, int format, int caps, int mapping) {
  SelectMeshWriter(format);
  return SlcToMesh(slicePath, meshPath, 1.0f, caps, mapping);
}

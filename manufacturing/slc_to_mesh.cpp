#include "manufacturing/slc_to_mesh.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "exchange/mesh_writers.h"
#include "exchange/output_file.h"
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

void WriteSlab(MeshWriter& writer, const SlcLayer& layer, float bottom, float top, int caps, int mapping) {
  std::vector<std::vector<Vector3>> outlines;
  for (const std::vector<SlcPoint>& boundary : layer.boundaries) {
    for (std::size_t j = 1; j < boundary.size(); ++j) {
      const Vector3 a0 = MapPoint(boundary[j - 1], bottom, mapping);
      const Vector3 b0 = MapPoint(boundary[j], bottom, mapping);
      const Vector3 a1 = MapPoint(boundary[j - 1], top, mapping);
      const Vector3 b1 = MapPoint(boundary[j], top, mapping);
      writer.WriteFacet(a0, b0, a1);
      writer.WriteFacet(b0, b1, a1);
    }
    if (caps != 0 && boundary.size() >= 2) {
      // The repeated last vertex is left out: the ring closes by itself.
      std::vector<Vector3>& outline = outlines.emplace_back();
      for (std::size_t j = 0; j + 1 < boundary.size(); ++j) outline.push_back(MapPoint(boundary[j], bottom, mapping));
    }
  }
  if (outlines.empty()) return;
  const std::vector<Vector3> corners = TriangulateOutlines(std::move(outlines), {0.0f, 0.0f, 1.0f});
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

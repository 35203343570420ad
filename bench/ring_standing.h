#pragma once

// The benchmark ring standing with its axis along x, as the slicing benchmarks cut it: layers
// along z then cross the band twice, as a slicer sees a ring stood upright.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kernel/geom_object.h"
#include "kernel/matrix4.h"
#include "manufacturing/slc_reader.h"
#include "manufacturing/slicer.h"
#include "ring_design.h"
#include "scene/scene.h"

namespace ring_design {

// Turns every object of the design: the ring's axis, model y, goes to x.
inline void StandAlongX() {
  // Rows are the images of the axes: x -> y, y -> -x.
  const Matrix4 turn = {{0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
  for (CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) object->Transform(turn, 1);
}

// The slicing benchmarks' layer thickness and raster resolution.
inline constexpr float kSliceThickness = 0.0127f;
inline constexpr float kSliceResolution = 0.0254f;

// A scratch file of the benchmarks, in TMPDIR or /tmp.
inline std::string BenchTempPath(const char* name) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder != nullptr ? folder : "/tmp") + "/" + name;
}

// Layers and contour points of a slice file, through the shared reader.
inline void CountSlices(const std::string& path, std::int64_t* layers, std::int64_t* points) {
  *layers = *points = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return;
  SlcReader reader(file);
  std::string header;
  float thickness = 0;
  if (reader.ReadHeaderText(&header) && reader.ReadSamplingTable(&thickness)) {
    SlcLayer layer;
    while (reader.ReadLayer(&layer) == SlcReader::Record::kLayer) {
      ++*layers;
      for (const auto& boundary : layer.boundaries) *points += static_cast<std::int64_t>(boundary.size());
    }
  }
  std::fclose(file);
}

// The standing ring's slice file (some 2000 layers), written once a run for the benchmarks that
// read slices.
inline const std::string& RingSlicesFile() {
  static const std::string path = [] {
    const std::string p = BenchTempPath("lumidrex_ring_bench.slc");
    RingDesign ring;
    StandAlongX();
    WriteSlicesFile(p, 0, kSliceThickness, kSliceResolution, 1, 1, 1, 1, 1, 0, 0, 0);
    return p;
  }();
  return path;
}

}  // namespace ring_design

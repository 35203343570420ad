#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "kernel/kernel_state.h"
#include "kernel/mesh_object.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"

namespace {

// Reads back the record of a mesh of a million triangles over 1,002 x 502 vertices; the
// validation of counts and indices has to stay linear.
void BM_ReadMillionFaceMesh(benchmark::State& state) {
  ResetKernelState();
  constexpr int kColumns = 1002;
  constexpr int kRows = 502;
  CMeshObject mesh;
  mesh.SetPoints(kColumns * kRows);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      mesh.points[static_cast<std::size_t>(r * kColumns + c)] = {static_cast<float>(c),
                                                                 static_cast<float>(r), 0};
    }
  }
  for (int r = 0; r + 1 < kRows; ++r) {
    for (int c = 0; c + 1 < kColumns; ++c) {
      const int corner = r * kColumns + c;
      mesh.faceSizes.insert(mesh.faceSizes.end(), {3, 3});
      mesh.faceIndices.insert(mesh.faceIndices.end(),
                              {corner, corner + 1, corner + kColumns + 1, corner,
                               corner + kColumns + 1, corner + kColumns});
    }
  }

  std::FILE* file = std::tmpfile();
  std::FILE* previous = SetObjectStream(file);
  mesh.Write();
  for (auto _ : state) {
    std::rewind(file);
    SetObjectStream(file);
    const std::unique_ptr<CGeomObject> back = ReadObject();
    benchmark::DoNotOptimize(back->ObjectState);
  }
  SetObjectStream(previous);
  std::fclose(file);
  state.SetItemsProcessed(state.iterations() * mesh.FaceCount());
  ResetKernelState();
}
BENCHMARK(BM_ReadMillionFaceMesh)->Unit(benchmark::kMillisecond);

}  // namespace

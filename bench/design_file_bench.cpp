#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "kernel/curve_object.h"
#include "kernel/kernel_state.h"
#include "kernel/mesh_object.h"
#include "scene/design_file.h"
#include "scene/scene.h"
#include "scene/undo_history.h"

namespace {

constexpr int kMeshVertices = 1000000;
constexpr int kMeshFaces = 2000000;
constexpr int kCurves = 10000;

// One mesh of a million vertices and two million triangles, then ten thousand four-point curves:
// every float goes through the object stream as a field of its own.
void BuildLargeScene() {
  ResetScene();
  auto mesh = std::make_unique<CMeshObject>();
  std::vector<Vector3> points(kMeshVertices);
  for (int i = 0; i < kMeshVertices; ++i) points[i] = {static_cast<float>(i % 1000), static_cast<float>(i / 1000), 0.5f};
  mesh->SetPoints(kMeshVertices, std::move(points));
  mesh->faceSizes.assign(kMeshFaces, 3);
  mesh->faceIndices.resize(3 * static_cast<std::size_t>(kMeshFaces));
  for (int f = 0; f < kMeshFaces; ++f) {
    const int base = (f / 2) % (kMeshVertices - 1001);
    mesh->faceIndices[3 * f] = base;
    mesh->faceIndices[3 * f + 1] = base + 1;
    mesh->faceIndices[3 * f + 2] = base + (f % 2 == 0 ? 1000 : 1001);
  }
  CGeomObject** link = &TheScene.head;
  *link = mesh.release();
  link = &(*link)->next;
  for (int c = 0; c < kCurves; ++c) {
    auto curve = std::make_unique<CCurveObject>();
    curve->SetPoints(4, {{0, 0, 0}, {1, static_cast<float>(c), 0}, {2, 0, 1}, {3, 1, 1}});
    *link = curve.release();
    link = &(*link)->next;
  }
  TheScene.tailLink = link;
}

std::string DesignPath() { return "/tmp/lumidrex-bench-design.lxd"; }

void RemoveDesignFiles() {
  std::remove(DesignPath().c_str());
  std::remove(BackupName(DesignPath()).c_str());
}

void BM_SaveScene(benchmark::State& state) {
  ResetKernelState();
  BuildLargeScene();
  CUndoHistory history;
  for (auto _ : state) benchmark::DoNotOptimize(SaveScene(&history, DesignPath()));
  ResetScene();
  RemoveDesignFiles();
}
BENCHMARK(BM_SaveScene)->Unit(benchmark::kMillisecond);

void BM_OpenScene(benchmark::State& state) {
  ResetKernelState();
  BuildLargeScene();
  CUndoHistory history;
  SaveScene(&history, DesignPath());
  for (auto _ : state) benchmark::DoNotOptimize(OpenScene(&history, DesignPath()));
  ResetScene();
  RemoveDesignFiles();
}
BENCHMARK(BM_OpenScene)->Unit(benchmark::kMillisecond);

}  // namespace

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "grid_mesh.h"
#include "kernel/curve_object.h"
#include "kernel/mesh_object.h"
#include "scene/scene.h"
#include "scene/transform_apply.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

namespace {

// One step of a Move drag: the previous application undone, the new one recorded and applied to
// a selected 200k-face mesh and 500 selected curves.
void BM_AppliedMoveStep(benchmark::State& state) {
  CUndoHistory document;
  CViewport view;
  view.documentHistory = &document;
  SetActiveView(&view);
  std::unique_ptr<CMeshObject> mesh = GridMesh(316, 316);
  AddObject(mesh, 1);
  for (int k = 0; k < 500; ++k) {
    std::vector<Vector3> points;
    for (int i = 0; i < 20; ++i) points.push_back({static_cast<float>(i), static_cast<float>(k), 0});
    auto curve = std::make_unique<CCurveObject>();
    curve->SetPoints(static_cast<int>(points.size()), points);
    AddObject(curve, 1);
  }
  BeginUndoStep();
  Matrix4 step = kIdentityMatrix;
  for (auto _ : state) {
    step[12] += 1.0f;
    UndoOpenStep();
    BeginUndoStep();
    ApplyTransformToObjects(kReferenceWorldOrigin, step, 0);
  }
  ResetScene();
}
BENCHMARK(BM_AppliedMoveStep)->Unit(benchmark::kMillisecond);

}  // namespace

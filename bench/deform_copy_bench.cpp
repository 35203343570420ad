#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "grid_mesh.h"
#include "kernel/curve_object.h"
#include "kernel/mesh_object.h"
#include "modelling/copy_commands.h"
#include "modelling/deform_tool.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

namespace {

// A front view of a document, active for the scene.
class DeformScene {
 public:
  DeformScene() {
    ResetScene();
    view_.SetSize(800, 600);
    view_.SetAxes(0, 1, 2, 1, 1, 1);
    view_.documentHistory = &document;
    SetActiveView(&view_);
  }
  ~DeformScene() { ResetScene(); }
  DeformScene(const DeformScene&) = delete;
  DeformScene& operator=(const DeformScene&) = delete;

  CUndoHistory document;

 private:
  CViewport view_;
};

CMeshObject* AddGridMesh(int side) {
  std::unique_ptr<CMeshObject> mesh = GridMesh(side, side);
  return AddObject(mesh, 1);
}

void AddCurves(int count) {
  for (int k = 0; k < count; ++k) {
    std::vector<Vector3> points;
    for (int i = 0; i < 20; ++i) points.push_back({static_cast<float>(i), static_cast<float>(k % 40), 0});
    auto curve = std::make_unique<CCurveObject>();
    curve->SetPoints(static_cast<int>(points.size()), points);
    AddObject(curve, 1);
  }
}

void ChooseAxes(CDeformTool* tool) {
  tool->axisA = 0;
  tool->axisB = 1;
  tool->axisC = 2;
  tool->sigma = 1;
}

// One mouse move's work: every point of a 1,000,000-point selected mesh mapped afresh.
template <class Tool>
void BM_ApplyDeformation(benchmark::State& state) {
  DeformScene scene;
  AddGridMesh(999);
  auto* tool = new Tool();
  ChooseAxes(tool);
  float amount = 0.01f;
  for (auto _ : state) {
    amount += 0.0001f;
    tool->amount = amount;
    tool->ApplyDeformation();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(tool->deformedPoints.size()));
  tool->amount = 0.0f;
}
BENCHMARK(BM_ApplyDeformation<CBendTool>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyDeformation<CWhirlTool>)->Unit(benchmark::kMillisecond);

// A deform command's snapshot of a 500,000-point mesh and 10,000 curves.
void BM_SnapshotPoints(benchmark::State& state) {
  DeformScene scene;
  AddGridMesh(706);
  AddCurves(10000);
  for (auto _ : state) benchmark::DoNotOptimize(new CBendTool());
}
BENCHMARK(BM_SnapshotPoints)->Unit(benchmark::kMillisecond);

// The commit of a bend of that scene: restore, an undo record of every object, re-apply.
void BM_Commit(benchmark::State& state) {
  DeformScene scene;
  AddGridMesh(706);
  AddCurves(10000);
  auto* tool = new CBendTool();
  ChooseAxes(tool);
  tool->amount = 0.02f;
  tool->ApplyDeformation();
  for (auto _ : state) {
    state.PauseTiming();
    scene.document.Clear();
    state.ResumeTiming();
    tool->Commit();
  }
  tool->amount = 0.0f;
}
BENCHMARK(BM_Commit)->Unit(benchmark::kMillisecond);

// Extend's copying: 100 copies of a selected 100,000-face mesh.
void BM_CopyRepeat(benchmark::State& state) {
  DeformScene scene;
  CMeshObject* source = AddGridMesh(224);
  Matrix4 step = kIdentityMatrix;
  step.at(3, 0) = 50.0f;
  for (auto _ : state) {
    CopyRepeat(101, step);
    state.PauseTiming();
    DeleteObjectsUpTo(&source->next, kEveryObjectState);
    scene.document.Clear();
    CViewport* active = SetActiveView(nullptr);
    SetActiveView(active);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CopyRepeat)->Unit(benchmark::kMillisecond);

}  // namespace

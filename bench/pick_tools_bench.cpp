#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "bench_scene.h"
#include "grid_mesh.h"
#include "kernel/curve_object.h"
#include "kernel/mesh_object.h"
#include "scene/drawing_context.h"
#include "scene/object_picking.h"
#include "scene/picking.h"
#include "scene/point_selection.h"
#include "scene/scene.h"
#include "scene/viewport.h"

namespace {

void PickAmongCurves(benchmark::State& state) {
  BenchScene scene(static_cast<int>(state.range(0)));
  for (int k = 0; k < 10000; ++k) {
    auto curve = std::make_unique<CCurveObject>();
    const float y = -20.0f + 40.0f * static_cast<float>(k) / 10000.0f;
    curve->SetPoints(4, {{-20, y, 0}, {-5, y + 1, 0}, {5, y - 1, 0}, {20, y, 0}});
    AddObject(curve, 0);
  }
  for (auto _ : state) benchmark::DoNotOptimize(PickObjectAt(960, 540, 0, -1));
}
BENCHMARK(PickAmongCurves)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond);

void PickOnLargeMesh(benchmark::State& state) {
  BenchScene scene(static_cast<int>(state.range(0)));
  auto mesh = GridMesh(400, 250);  // 200 000 triangles
  AddObject(mesh, 0);
  for (auto _ : state) benchmark::DoNotOptimize(PickObjectAt(960, 540, 0, -1));
}
BENCHMARK(PickOnLargeMesh)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond);

void LassoOverManyControlPoints(benchmark::State& state) {
  BenchScene scene(kDisplayNormalWire);
  auto mesh = GridMesh(316, 315);  // 100 128 control points
  CMeshObject* target = AddObject(mesh, 0);
  target->controlPointsHidden = 0;
  std::vector<ScreenPoint> lasso;
  for (int i = 0; i < 1000; ++i) {
    const float a = 6.2831853f * static_cast<float>(i) / 1000.0f;
    const float r = 300.0f + 60.0f * std::sin(7.0f * a);
    lasso.push_back({960.0f + r * std::cos(a), 540.0f + r * std::sin(a)});
  }
  const Matrix4 transform = GetViewTransform();
  for (auto _ : state) {
    PickPointsInLasso(target, lasso, 600, 180, 1320, 900, transform, 0, 1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(LassoOverManyControlPoints)->Unit(benchmark::kMillisecond);

}  // namespace

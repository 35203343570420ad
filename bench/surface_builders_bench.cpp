#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "bench_scene.h"
#include "kernel/curve_object.h"
#include "kernel/surface_object.h"
#include "modelling/loft_tool.h"
#include "modelling/rail_surface_build.h"
#include "modelling/surface_grid.h"
#include "scene/tool_framework.h"

namespace {

// A wavy n x n sheet over the 40 x 40 area around the origin, drawn through its control points.
std::unique_ptr<CSurfaceObject> Sheet(int n) {
  std::vector<Vector3> points;
  points.reserve(static_cast<std::size_t>(n) * n);
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) {
      const float x = -20.0f + 40.0f * c / (n - 1), y = -20.0f + 40.0f * r / (n - 1);
      points.push_back({x, y, std::sin(x) * std::cos(y)});
    }
  }
  auto sheet = std::make_unique<CSurfaceObject>();
  sheet->SetGrid(n, n, std::move(points));
  sheet->displayStepsU = sheet->displayStepsV = 0;
  return sheet;
}

void GridVolume(benchmark::State& state) {
  const auto sheet = Sheet(1000);
  for (auto _ : state) benchmark::DoNotOptimize(ComputeGridVolume(sheet->points.data(), 1000, 1000, 1, 0));
}
BENCHMARK(GridVolume)->Unit(benchmark::kMillisecond);

// The rebuild a Reverse Section press makes of a 1000 x 1000 surface picked as the first section.
void LoftRebuild(benchmark::State& state) {
  BenchScene scene(kDisplayNormalWire);
  auto sheet = Sheet(1000);
  AddObject(sheet, 0);
  OnLoftSurface();
  auto* loft = static_cast<CLoftToolDlg*>(GetTool(0));
  loft->OnLButtonDown(kMouseLeftButton, 960, 540);
  if (loft->SectionCount() != 1) state.SkipWithError("the sheet was not picked");
  for (auto _ : state) loft->PressButton(CLoftToolDlg::kReverseSection);
}
BENCHMARK(LoftRebuild)->Unit(benchmark::kMillisecond);

// Normalising and placing a 200-point section along two 1000-point rails. Without an active
// viewport the surface is built but not added, so nothing piles up in the scene.
void RailBuild(benchmark::State& state) {
  std::vector<Vector3> a, b, section;
  for (int k = 0; k < 1000; ++k) {
    const float t = k / 999.0f;
    a.push_back({0, 10 * t, std::sin(6 * t)});
    b.push_back({4 + std::sin(3 * t), 10 * t, 0});
  }
  for (int k = 0; k < 200; ++k) {
    const double phi = 3.14159265 * k / 199.0;
    section.push_back({static_cast<float>(std::cos(phi)), static_cast<float>(std::sin(phi)), 0});
  }
  CCurveObject railA, railB, profile;
  railA.SetPoints(1000, a);
  railB.SetPoints(1000, b);
  profile.SetPoints(200, section);
  const RailSetup setup = RailSetupFor(4, 0, 0, 0, kSingleSection);
  for (auto _ : state) {
    benchmark::DoNotOptimize(BuildRailSurface(setup, {&railA, &railB, &profile}, {}, kIdentityMatrix));
  }
}
BENCHMARK(RailBuild)->Unit(benchmark::kMillisecond);

}  // namespace

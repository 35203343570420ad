#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "kernel/kernel_state.h"
#include "kernel/matrix4.h"
#include "kernel/section_placement.h"

namespace {

// A 16-point section swept along a 10,000-point helix.
void BM_PlaceSectionsAlongPath(benchmark::State& state) {
  ResetKernelState();
  SweepReferenceMatrix = kIdentityMatrix;
  constexpr int kPathPoints = 10000;
  constexpr int kSectionPoints = 16;
  std::vector<Vector3> path, section;
  for (int i = 0; i < kPathPoints; ++i) {
    const float t = static_cast<float>(i) * 0.01f;
    path.push_back({10 * std::cos(t), 10 * std::sin(t), t});
  }
  for (int j = 0; j < kSectionPoints; ++j) {
    const float angle = 6.2831853f * static_cast<float>(j) / kSectionPoints;
    section.push_back({std::cos(angle), std::sin(angle), 0});
  }
  std::vector<Vector3> grid;
  for (auto _ : state) {
    state.PauseTiming();
    grid.clear();
    for (int i = 0; i < kPathPoints; ++i) grid.insert(grid.end(), section.begin(), section.end());
    state.ResumeTiming();
    PlaceSectionsAlongPath(kSectionPoints, kPathPoints, 0, grid.data(), path.data());
    benchmark::DoNotOptimize(grid.data());
  }
  ResetKernelState();
}
BENCHMARK(BM_PlaceSectionsAlongPath)->Unit(benchmark::kMillisecond);

}  // namespace

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "kernel/surface_object.h"
#include "modelling/surface_divide.h"
#include "modelling/surface_offset.h"

namespace {

// A wavy rows x columns surface; each point repeated `repeat` times along its row, as a grid
// whose rows collapse in places.
std::unique_ptr<CSurfaceObject> WavySurface(int rows, int columns, int repeat) {
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> points;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const int k = c / repeat;
      points.push_back({1.0f * r, 1.0f * k, std::sin(0.3f * r) * std::cos(0.2f * k)});
    }
  }
  surface->SetGrid(rows, columns, std::move(points));
  return surface;
}

// An offset's control points: the knots and normals of the surface, and the solve along both
// directions.
void OffsetPoints(benchmark::State& state) {
  const auto surface = WavySurface(300, 300, static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(OffsetSurfacePoints(*surface, 0.5f));
}
BENCHMARK(OffsetPoints)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void DivideBothWays(benchmark::State& state) {
  const auto surface = WavySurface(100, 100, 1);
  for (auto _ : state) benchmark::DoNotOptimize(DividedSurfaceGrid(*surface, 4, kDivideBoth));
}
BENCHMARK(DivideBothWays)->Unit(benchmark::kMillisecond);

}  // namespace

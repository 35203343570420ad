// The one-side STL samplers on the benchmark ring (its axis along y) and the height-grid mesher
// alone.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "exchange/visible_bounds.h"
#include "kernel/matrix4.h"
#include "manufacturing/height_grid_mesh.h"
#include "manufacturing/one_side_stl.h"
#include "ring_design.h"

namespace {

using ring_design::RingDesign;

std::string TempPath(const char* name) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder != nullptr ? folder : "/tmp") + "/" + name;
}

// Rows the sampler scans: the widened y range over the Y resolution.
double SampledRows(float yResolution, float below, float above) {
  Vector3 min;
  Vector3 max;
  GetVisibleBounds(&min, &max);
  return (double(max.y) - min.y + below + above) / yResolution;
}

// Arg: the resolution in hundredths of a mm.
void BM_ThreeAxisRing(benchmark::State& state) {
  RingDesign ring;
  if (!ring.ready()) {
    state.SkipWithError("no gem library built");
    return;
  }
  const float r = static_cast<float>(state.range(0)) / 100.0f;
  const std::string path = TempPath("lumidrex_one_side_3axis.stl");
  for (auto _ : state) WriteNcSlices3Axis(path, r, r, 1);
  const double rows = SampledRows(r, r, r);
  Vector3 min;
  Vector3 max;
  GetVisibleBounds(&min, &max);
  const double columns = (double(max.x) - min.x + 2 * r) / r + 1;
  state.counters["rows/s"] = benchmark::Counter(rows * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["facets"] = double((std::filesystem::file_size(path) - 84) / 50);
  state.counters["grid MB"] = columns * (rows + 1) * 8 / 1e6;
}
BENCHMARK(BM_ThreeAxisRing)->Arg(5)->Arg(1)->Unit(benchmark::kSecond)->Iterations(1);

// 1 degree and 0.05 mm.
void BM_RotaryRing(benchmark::State& state) {
  RingDesign ring;
  if (!ring.ready()) {
    state.SkipWithError("no gem library built");
    return;
  }
  const std::string path = TempPath("lumidrex_one_side_rotary.stl");
  for (auto _ : state) WriteNcSlicesRotary(path, 0.05f, 1.0f, 1);
  const double rows = SampledRows(0.05f, 0.05f, 0.1f);
  state.counters["rows/s"] = benchmark::Counter(rows * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["facets"] = double((std::filesystem::file_size(path) - 84) / 50);
}
BENCHMARK(BM_RotaryRing)->Unit(benchmark::kSecond)->Iterations(1);

// A 2000 x 2000 dome written as binary STL.
void BM_WriteHeightGridMesh(benchmark::State& state) {
  constexpr int kSide = 2000;
  const std::size_t cells = std::size_t{kSide} * kSide;
  std::vector<float> grid(2 * cells);
  for (int i = 0; i < kSide; ++i) {
    for (int j = 0; j < kSide; ++j) {
      const double x = (j - kSide / 2) / double(kSide);
      const double y = (i - kSide / 2) / double(kSide);
      const double top = 0.25 - x * x - y * y;
      const std::size_t index = std::size_t(i) * kSide + std::size_t(j);
      grid[index] = top > 0 ? static_cast<float>(top * kSide) : -1e8f;
      grid[cells + index] = 0.0f;
    }
  }
  const std::string path = TempPath("lumidrex_height_grid.stl");
  for (auto _ : state) WriteHeightGridMesh(path, kSide, kSide, grid.data(), kIdentityMatrix, 1);
  const auto bytes = static_cast<double>(std::filesystem::file_size(path));
  state.counters["bytes/s"] = benchmark::Counter(bytes * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["facets"] = (bytes - 84) / 50;
}
BENCHMARK(BM_WriteHeightGridMesh)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

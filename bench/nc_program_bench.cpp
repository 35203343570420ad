// The NC programs: the tool compensation, the loop it replaced against the bounded one; the
// pass writer on a large grid; sampling the benchmark ring; drawing a long program; the raster
// NC program of the sliced ring.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "exchange/output_file.h"
#include "exchange/visible_bounds.h"
#include "manufacturing/nc_passes.h"
#include "manufacturing/nc_path_object.h"
#include "manufacturing/nc_posts.h"
#include "manufacturing/nc_program.h"
#include "manufacturing/nc_tool_compensation.h"
#include "manufacturing/slc_raster_nc.h"
#include "ring_standing.h"
#include "scene/drawing_context.h"
#include "tests/support/recording_canvas.h"

namespace {

// A rough surface of size x size cells.
std::vector<float> Surface(int size) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> height(-1.0f, 0.0f);
  std::vector<float> grid(static_cast<std::size_t>(size) * size);
  for (float& cell : grid) cell = height(random);
  return grid;
}

// A 1 mm tool over a grid of size x size cells, radiusSteps cells to the tool's radius.
NcKernel Kernel(int tool, int size, float radiusSteps) {
  const float r = 0.5f;
  const float step = r / radiusSteps;
  // A negative offset: the ball dilates by less than its radius, the cone meets its pre-erosion.
  return tool == kNcBallPoint ? NcBallKernel(r - 0.05f, r, step, step, size, size)
                              : NcConicalKernel(r, 0.0f, 0.05f, 30.0f, step, step, size, size);
}

// The compensation as it ran before its entries were bounded: every kernel entry over whole
// rows, on one thread. Run the pair pinned to one core (taskset) so that both use one.
void RowwiseApplyKernel(const float* source, int size, const NcKernel& kernel, float* out) {
  for (int row = 0; row < size; ++row) {
    float* const target = out + static_cast<std::size_t>(row) * size;
    std::fill(target, target + size, kernel.start);
    for (int i = -kernel.rowReach; i <= kernel.rowReach; ++i) {
      if (row + i < 0 || row + i >= size) continue;
      const float* const line = source + static_cast<std::size_t>(row + i) * size;
      for (int j = -kernel.columnReach; j <= kernel.columnReach; ++j) {
        const float k = kernel.at(std::abs(i), std::abs(j));
        const float* const shifted = line + j;
        const int end = std::min(size, size - j);
        for (int c = std::max(0, -j); c < end; ++c) target[c] = std::max(target[c], shifted[c] + k);
      }
    }
  }
}

// Args: cells per side, tool radius in steps, tool. The pairs of bench/nc_compensation_compare.sh
// are {1001, 25, 0} and {2001, 50, 0}: a 1 mm ball on grids of 0.02 and 0.01 mm; and {2001, 25, 0},
// the same ball and step over four times the cells.
template <bool kRowwise>
void BM_Compensation(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const NcKernel kernel = Kernel(static_cast<int>(state.range(2)), size, static_cast<float>(state.range(1)));
  const std::vector<float> grid = Surface(size);
  std::vector<float> out(grid.size());
  for (auto _ : state) {
    if (kRowwise) {
      RowwiseApplyKernel(grid.data(), size, kernel, out.data());
    } else {
      NcApplyKernel(grid.data(), size, size, kernel, out.data());
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["cells/s"] =
      benchmark::Counter(static_cast<double>(grid.size()) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Compensation<true>)->Args({1001, 25, 0})->Args({2001, 50, 0})->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Compensation<false>)
    ->Args({1001, 25, 0})
    ->Args({1001, 25, 2})
    ->Args({2001, 50, 0})
    ->Args({2001, 50, 2})
    ->Args({2001, 25, 0})
    ->UseRealTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

void BM_WritePasses(benchmark::State& state) {
  const int size = 2001;
  NcJob job;
  job.rows = job.columns = size;
  job.grid = Surface(size);
  job.xStep = job.yStep = 0.01f;
  job.zMin = -11.0f;
  job.allowance = 0.1f;
  job.stepDown = 1.0f;
  job.roughingRowStep = 10;
  const std::string path = "/tmp/lumidrex_nc_bench.nc";
  long long bytes = 0;
  for (auto _ : state) {
    OutputFile file;
    file.Open(path);
    CNcPostGCode post(file);
    job.post = &post;
    NcWritePasses(job, 0.0f);
    file.Commit();
    std::FILE* written = std::fopen(path.c_str(), "rb");
    std::fseek(written, 0, SEEK_END);
    bytes += std::ftell(written);
    std::fclose(written);
  }
  std::remove(path.c_str());
  state.counters["bytes/s"] = benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WritePasses)->Unit(benchmark::kSecond)->Iterations(1);

// Reading a 1,000,000-line G-code program, as every drawing of the path does, into a recording
// canvas.
void BM_DrawNcPath(benchmark::State& state) {
  const std::string path = ring_design::BenchTempPath("lumidrex_nc_path_bench.nc");
  {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    for (int line = 0; line < 1000000; ++line) {
      std::fprintf(file, " X%.6g Y%.6g Z%.6g\r\n", (line % 2001) * 0.01, (line / 2001) * 0.01, -(line % 97) * 0.001);
    }
    std::fclose(file);
  }
  CNcPathObject object;
  object.fileName = path;
  TestView<RecordingCanvas> view;
  SetDrawingView(&view);
  {
    const ScreenSpaceDrawing pixels;
    for (auto _ : state) {
      view.canvas.polylines.clear();
      object.Draw(0);
    }
  }
  SetDrawingView(nullptr);
  std::remove(path.c_str());
  state.counters["lines/s"] = benchmark::Counter(1e6 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DrawNcPath)->Unit(benchmark::kMillisecond);

// The benchmark ring (its axis along y) sampled from above at 0.01 over its visible bounds.
void BM_SampleRing(benchmark::State& state) {
  ring_design::RingDesign ring;
  if (!ring.ready()) {
    state.SkipWithError("no gem library built");
    return;
  }
  const float step = 0.01f;
  Vector3 min;
  Vector3 max;
  GetVisibleBounds(&min, &max);
  const int columns = static_cast<int>((max.x - min.x) / step + 1.5f);
  const int rows = static_cast<int>((max.y - min.y) / step + 1.5f);
  Matrix4 m = kIdentityMatrix;
  m[0] = m[5] = 1 / step;
  m[12] = -min.x / step;
  m[13] = -min.y / step;
  m[14] = -max.z;
  std::vector<float> grid;
  for (auto _ : state) {
    grid.assign(static_cast<std::size_t>(columns) * rows, min.z - max.z);
    SampleZGrid(grid.data(), m, columns, rows);
  }
  state.counters["rows"] = rows;
  state.counters["columns"] = columns;
  state.counters["rows/s"] = benchmark::Counter(double(rows) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SampleRing)->Unit(benchmark::kSecond)->Iterations(1);

// The raster NC program of the standing ring's slices, hatched at 0.1 with an outline every
// fourth layer.
void BM_RasterNcRing(benchmark::State& state) {
  const std::string& slices = ring_design::RingSlicesFile();
  const std::string path = ring_design::BenchTempPath("lumidrex_ring_raster.nc");
  for (auto _ : state) {
    if (!SliceSetup(slices, path, 0.1f, 4, ring_design::kSliceThickness)) {
      state.SkipWithError("no raster program");
      break;
    }
  }
  std::remove(path.c_str());
  std::int64_t layers = 0;
  std::int64_t points = 0;
  ring_design::CountSlices(slices, &layers, &points);
  state.counters["layers"] = double(layers);
  state.counters["layers/s"] = benchmark::Counter(double(layers) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RasterNcRing)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

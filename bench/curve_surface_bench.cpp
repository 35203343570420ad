#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/kernel_state.h"
#include "kernel/surface_tessellation.h"

namespace {

std::vector<Vector3> WavyCurve(int n) {
  std::vector<Vector3> points;
  for (int i = 0; i < n; ++i) points.push_back({1.0f * i, std::sin(0.4f * i), std::cos(0.3f * i)});
  return points;
}

struct ExtendedNet {
  std::vector<Vector3> points;
  int rows = 0, cols = 0;
};

ExtendedNet WavyNet(int n) {
  std::vector<Vector3> grid;
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j)
      grid.push_back({1.0f * i, 1.0f * j, std::sin(0.3f * i) * std::cos(0.2f * j)});
  }
  ExtendedNet net;
  ExtendSurfaceNet(grid.data(), n, n, 0, 0, 0, 0, 0, 0, &net.points, &net.rows, &net.cols);
  return net;
}

// A 100-point curve evaluated at the given steps, in turn, as a repaint does for every curve.
void EvaluateCurve(benchmark::State& state, std::vector<int> steps) {
  ResetKernelState();
  const std::vector<Vector3> control = WavyCurve(100);
  const std::vector<Vector3> extended = ExtendCurveEnds(100, control.data(), 0, 0, 0);
  std::size_t turn = 0;
  for (auto _ : state) {
    const int s = steps[turn++ % steps.size()];
    benchmark::DoNotOptimize(
        EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()), s));
  }
}
BENCHMARK_CAPTURE(EvaluateCurve, steps8, std::vector<int>{8});
// Alternating step counts rebuild the cached matrices every time.
BENCHMARK_CAPTURE(EvaluateCurve, steps8and4, std::vector<int>{8, 4});

// A 40 x 40 control grid tessellated with tangents, as shading and export do.
void TessellateGrid(benchmark::State& state, int stepsU, int stepsV) {
  ResetKernelState();
  const ExtendedNet net = WavyNet(40);
  std::vector<Vector3> points, tangentU, tangentV;
  int rows = 0, cols = 0;
  for (auto _ : state) {
    TessellateSurface(kBSplineBasis, net.points.data(), net.rows, net.cols, &points, &tangentU,
                      &tangentV, &rows, &cols, stepsU, stepsV, 1);
    benchmark::DoNotOptimize(points.data());
  }
  state.SetItemsProcessed(state.iterations() * rows * cols);
}
BENCHMARK_CAPTURE(TessellateGrid, analytic8x8, 8, 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TessellateGrid, refined0x8, 0, 8)->Unit(benchmark::kMillisecond);

}  // namespace

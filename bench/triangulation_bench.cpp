#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "kernel/polygon_triangulation.h"

namespace {

std::vector<Vector3> Circle(float cx, float cy, float radius, int points, bool clockwise) {
  std::vector<Vector3> ring;
  for (int i = 0; i < points; ++i) {
    const float angle =
        6.2831853f * static_cast<float>(clockwise ? -i : i) / static_cast<float>(points);
    ring.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle), 0});
  }
  return ring;
}

// A slice contour of 10,000 points with a 10 x 10 grid of 16-point holes.
void BM_TriangulateRingWithHoles(benchmark::State& state) {
  std::vector<std::vector<Vector3>> rings = {Circle(0, 0, 100, 10000, false)};
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) {
      rings.push_back(
          Circle(-54 + 12 * static_cast<float>(i), -54 + 12 * static_cast<float>(j), 4, 16, true));
    }
  }
  std::vector<int> sizes;
  std::vector<const Vector3*> points;
  for (const auto& ring : rings) {
    sizes.push_back(static_cast<int>(ring.size()));
    points.push_back(ring.data());
  }
  for (auto _ : state) {
    int triangles = 0;
    TriangulatePolygons(static_cast<int>(rings.size()), sizes.data(), points.data(),
                        [&](Vector3, Vector3, Vector3) { ++triangles; });
    benchmark::DoNotOptimize(triangles);
  }
}
BENCHMARK(BM_TriangulateRingWithHoles)->Unit(benchmark::kMillisecond);

}  // namespace

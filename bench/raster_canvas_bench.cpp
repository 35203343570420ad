#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/raster_canvas.h"

namespace {

struct Segment {
  int x0, y0, x1, y1;
};

// 100 000 long segments over a full-HD canvas; every second one reaches far outside it.
std::vector<Segment> LongSegments() {
  std::vector<Segment> segments;
  std::uint32_t seed = 7;
  const auto next = [&seed](int range) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
  };
  for (int i = 0; i < 100000; ++i) {
    if (i % 2 == 0) {
      segments.push_back({next(1920), next(1080), next(1920), next(1080)});
    } else {
      segments.push_back({next(40000) - 20000, next(40000) - 20000, next(40000) - 20000, next(40000) - 20000});
    }
  }
  return segments;
}

void BM_RasteriseLongSegments(benchmark::State& state) {
  const std::vector<Segment> segments = LongSegments();
  RasterCanvas canvas(1920, 1080);
  canvas.SetPenColor(0xFFFFFF);
  for (auto _ : state) {
    for (const Segment& s : segments) {
      canvas.MoveTo(s.x0, s.y0);
      canvas.LineTo(s.x1, s.y1);
    }
    benchmark::DoNotOptimize(canvas.rows().data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(segments.size()));
}
BENCHMARK(BM_RasteriseLongSegments)->Unit(benchmark::kMillisecond);

}  // namespace

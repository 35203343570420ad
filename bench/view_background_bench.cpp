#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_pictures.h"
#include "platform/platform_services.h"
#include "scene/scene.h"
#include "scene/view_background.h"
#include "scene/viewport.h"

namespace {

// The software renderer asks for the background once per pixel of its frame.
void BM_GetBackgroundPixelFullHdFrame(benchmark::State& state) {
  constexpr int kWidth = 1920, kHeight = 1080;
  ResetPlatformState();
  const std::string path = "/tmp/lumidrex-bench-background.bmp";
  WriteBenchPicture(path, 1600, 1200);
  CViewport pane;
  pane.SetSize(kWidth, kHeight);
  SetActiveView(&pane);
  SetBackgroundImage(path, kFitAuto);
  SetBackgroundRenderFrame(0, 0, 1, 1);
  for (auto _ : state) {
    unsigned sum = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) sum += GetBackgroundPixel(x, y)[1];
    }
    benchmark::DoNotOptimize(sum);
  }
  SetActiveView(nullptr);
  ResetViewBackground();
  std::remove(path.c_str());
}
BENCHMARK(BM_GetBackgroundPixelFullHdFrame)->Unit(benchmark::kMillisecond);

}  // namespace

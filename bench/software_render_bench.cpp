#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "render/picture_render.h"
#include "render/render_node.h"
#include "render/render_records.h"
#include "render/render_state.h"
#include "render/render_tree.h"
#include "ring_design.h"
#include "scene/scene_views.h"

namespace {

using ring_design::RingDesign;

std::string PicturePath() { return std::string(std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "/tmp") + "/lumidrex_ring_bench.bmp"; }

// The ring's picture at the pane's size; items are the samples computed.
void RingPicture(benchmark::State& state, int samples, int outline) {
  RingDesign ring;
  if (!ring.ready()) {
    state.SkipWithError("no gem library built");
    return;
  }
  const std::string path = PicturePath();
  for (auto _ : state) {
    if (RenderToPictureFile(path, ring_design::kWidth, ring_design::kHeight, samples, outline, 10) != 0) {
      state.SkipWithError("the picture failed");
      break;
    }
  }
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * ring_design::kWidth * samples * ring_design::kHeight * samples);
}

void BM_RingPictureShaded(benchmark::State& state) { RingPicture(state, static_cast<int>(state.range(0)), 0); }
BENCHMARK(BM_RingPictureShaded)->Arg(1)->Arg(3)->Unit(benchmark::kSecond)->Iterations(2);

void BM_RingPictureOutline(benchmark::State& state) { RingPicture(state, 1, 1); }
BENCHMARK(BM_RingPictureOutline)->Unit(benchmark::kSecond)->Iterations(2);

// The tree alone, as the shaded picture builds it (materials loaded, maps included), and the
// engine's pool blocks it holds once built.
void BM_RingBuildTree(benchmark::State& state) {
  RingDesign ring;
  if (!ring.ready()) {
    state.SkipWithError("no gem library built");
    return;
  }
  PoolUsage usage[kRenderPoolCount];
  for (auto _ : state) {
    ShadingMode = 1;
    ApplyActiveViewProjection();
    RenderMatrixScope matrix;
    RenderMatrixTop() = GetActiveViewMatrix();
    Matrix4 projection = kIdentityMatrix;
    projection[0] = projection[5] = 300.0f / ring.pane.viewExtent;
    projection[12] = 400.0f;
    projection[13] = 300.0f;
    RenderProjection = projection;
    RenderTreeGuard tree(BuildRenderTree(RenderProjection, 0));
    state.PauseTiming();
    GetRenderPoolUsage(usage);
    state.ResumeTiming();
  }
  for (const PoolUsage& pool : usage) state.counters[std::string("blocks ") + pool.name] = static_cast<double>(pool.blocks);
}
BENCHMARK(BM_RingBuildTree)->Unit(benchmark::kMillisecond);

}  // namespace

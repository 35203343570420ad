#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gl/gl_frame.h"
#include "platform/gl/libgl_calls.h"
#include "platform/raster_canvas.h"
#include "render/picture_render.h"
#include "render/render_node.h"
#include "render/render_records.h"
#include "render/render_state.h"
#include "render/render_tree.h"
#include "render/view_renderer.h"
#include "ring_design.h"
#include "scene/active_view_renderer.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/gl_table.h"
#include "scene/render_view.h"
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

class RingWindow : public CanvasView {
 public:
  RingWindow() {
    SetDrawingView(this);
    ResizeDepthRaster(&depth, ring_design::kWidth, ring_design::kHeight, CanvasLife());
  }
  ~RingWindow() { SetDrawingView(nullptr); }
  DeviceContext& DrawingCanvas() override { return canvas; }
  DepthRaster* ViewDepthRaster() override { return depth.get(); }
  RasterCanvas canvas{ring_design::kWidth, ring_design::kHeight};
  std::unique_ptr<DepthRaster> depth;
};

// The ring's whole pane as the view draws it in Shading in Color (300), Rendering (400) and, for
// comparison, Fast Shading (100), which is what the view shows while the user drags. The abort
// check polls the headless input, which never pumps.
void RingViewFrame(benchmark::State& state, int mode) {
  RingDesign ring;
  if (!ring.ready()) {
    state.SkipWithError("no gem library built");
    return;
  }
  RingWindow window;
  LibGlCalls gl;
  InstallGlCalls(&gl);
  if (mode == kDisplayFastShading && GlFrame::Instance().Begin(8, 8) != GlFrameStatus::kReady) {
    state.SkipWithError(GlFrame::Instance().lastError().c_str());
    InstallGlCalls(nullptr);
    return;
  }
  RegisterActiveViewRenderer(&SoftwareRenderActiveView);
  ring.pane.displayMode = mode;
  // A first frame before the timing, as in every frame benchmark.
  RedrawView(&ring.pane);
  for (auto _ : state) {
    RedrawView(&ring.pane);
    benchmark::DoNotOptimize(window.depth->data.data());
  }
  ResetActiveViewRenderer();
  InstallGlCalls(nullptr);
  state.SetItemsProcessed(state.iterations() * ring_design::kWidth * ring_design::kHeight);
}

void BM_RingViewFrame(benchmark::State& state) { RingViewFrame(state, static_cast<int>(state.range(0))); }
BENCHMARK(BM_RingViewFrame)
    ->Arg(kDisplayFastShading)
    ->Arg(kDisplayShadingInColor)
    ->Arg(kDisplayRendering)
    ->Unit(benchmark::kMillisecond);

}  // namespace

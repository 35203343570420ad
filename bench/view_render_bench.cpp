#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "grid_mesh.h"
#include "kernel/curve_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/gl/gl_frame.h"
#include "platform/gl/libgl_calls.h"
#include "platform/raster_canvas.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/gl_table.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/viewport.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class BenchView : public CanvasView {
 public:
  DeviceContext& DrawingCanvas() override { return canvas; }
  DepthRaster* ViewDepthRaster() override { return depth.get(); }
  RasterCanvas canvas{kWidth, kHeight};
  std::unique_ptr<DepthRaster> depth;
};

// An 800 x 600 Front view (x right, z up) drawn into its own canvas and depth raster; the scene
// is emptied when it goes.
class BenchPane {
 public:
  explicit BenchPane(int mode) {
    pane.SetSize(kWidth, kHeight);
    pane.viewType = kViewFront;
    pane.SetAxes(0, 2, 1, 1, 1, -1);
    pane.displayMode = mode;
    SetActiveView(&pane);
    SetDrawingView(&view);
    ResizeDepthRaster(&view.depth, kWidth, kHeight, view.CanvasLife());
    InstallGlCalls(&gl);
  }
  ~BenchPane() {
    ResetScene();
    SetDrawingView(nullptr);
    InstallGlCalls(nullptr);
  }

  template <class T>
  void Add(std::unique_ptr<T> object) {
    object->ObjectState = kStateShown;
    AddObject(object, 0);
  }

  CViewport pane;
  BenchView view;
  LibGlCalls gl;
};

// 200 000 triangles over 40 x 40 units facing the viewer, gently waved, smoothly shaded.
std::unique_ptr<CMeshObject> SmoothMesh() {
  std::unique_ptr<CMeshObject> mesh = GridMesh(400, 250);
  Matrix4 upright;  // the grid's y becomes z, its wave y
  upright.at(0, 0) = 1;
  upright.at(1, 2) = 1;
  upright.at(2, 1) = 1;
  mesh->Transform(upright, 1);
  mesh->flatShading = 0;
  return mesh;
}

// 50 surfaces of 20 x 20 control points in a 10 x 5 array in front of the mesh.
std::vector<std::unique_ptr<CSurfaceObject>> Surfaces() {
  std::vector<std::unique_ptr<CSurfaceObject>> surfaces;
  for (int k = 0; k < 50; ++k) {
    auto surface = std::make_unique<CSurfaceObject>();
    const float x0 = -20.0f + 4.0f * static_cast<float>(k % 10);
    const float z0 = -20.0f + 8.0f * static_cast<float>(k / 10);
    std::vector<Vector3> points;
    for (int i = 0; i < 20; ++i) {
      for (int j = 0; j < 20; ++j) {
        const float u = static_cast<float>(j) / 19.0f, v = static_cast<float>(i) / 19.0f;
        points.push_back({x0 + 3.5f * u, -2.0f - std::sin(6.0f * u) * std::cos(4.0f * v), z0 + 7.0f * v});
      }
    }
    surface->SetPoints(400, points);
    surface->rows = surface->columns = 20;
    surfaces.push_back(std::move(surface));
  }
  return surfaces;
}

void ShadedFrame(benchmark::State& state, bool contextPerFrame) {
  BenchPane bench(kDisplayFastShading);
  if (GlFrame::Instance().Begin(8, 8) != GlFrameStatus::kReady) {
    state.SkipWithError(GlFrame::Instance().lastError().c_str());
    return;
  }
  bench.Add(SmoothMesh());
  for (auto& surface : Surfaces()) bench.Add(std::move(surface));
  for (auto _ : state) {
    if (contextPerFrame) GlFrame::Instance().ReleaseContext();
    RedrawView(&bench.pane);
    benchmark::DoNotOptimize(bench.view.depth->data.data());
  }
}

void BM_ShadedFrameKeptContext(benchmark::State& state) { ShadedFrame(state, false); }
BENCHMARK(BM_ShadedFrameKeptContext)->Unit(benchmark::kMillisecond);

void BM_ShadedFrameContextPerFrame(benchmark::State& state) { ShadedFrame(state, true); }
BENCHMARK(BM_ShadedFrameContextPerFrame)->Unit(benchmark::kMillisecond);

// The read-back of an 800 x 600 depth buffer and its turn into screen depths, top row first.
void BM_DepthReadBackAndConversion(benchmark::State& state) {
  LibGlCalls gl;
  if (gl.BeginFrame(kWidth, kHeight) != GlFrameStatus::kReady) {
    state.SkipWithError(GlFrame::Instance().lastError().c_str());
    return;
  }
  std::vector<float> depths(static_cast<std::size_t>(kWidth) * kHeight);
  for (auto _ : state) {
    gl.ReadPixels(0, 0, kWidth, kHeight, kGlDepthComponent, kGlFloat, depths.data());
    ConvertDepthRows(depths.data(), kWidth, kHeight, 2500.0f);
    benchmark::DoNotOptimize(depths.data());
  }
}
BENCHMARK(BM_DepthReadBackAndConversion)->Unit(benchmark::kMillisecond);

// 10 000 curves of 6 points scattered over the view, as wire frames.
void WireFrame(benchmark::State& state, int mode) {
  BenchPane bench(mode);
  for (int k = 0; k < 10000; ++k) {
    auto curve = std::make_unique<CCurveObject>();
    const float x = -30.0f + 0.006f * static_cast<float>(k), z = -20.0f + 4.0f * std::sin(0.37f * k);
    curve->SetPoints(6, {{x, 0, z}, {x + 1, 0, z + 2}, {x + 2, 0, z}, {x + 3, 0, z + 2}, {x + 4, 0, z},
                         {x + 5, 0, z + 2}});
    curve->controlPointsHidden = 1;
    bench.Add(std::move(curve));
  }
  for (auto _ : state) {
    RedrawView(&bench.pane);
    benchmark::DoNotOptimize(bench.view.canvas.rows().data());
  }
}

void BM_WireFrameQuick(benchmark::State& state) { WireFrame(state, kDisplayQuickWire); }
BENCHMARK(BM_WireFrameQuick)->Unit(benchmark::kMillisecond);

void BM_WireFrameNormal(benchmark::State& state) { WireFrame(state, kDisplayNormalWire); }
BENCHMARK(BM_WireFrameNormal)->Unit(benchmark::kMillisecond);

}  // namespace

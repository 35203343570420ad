#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "grid_mesh.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/raster_canvas.h"
#include "scene/drawing_context.h"
#include "scene/picking.h"

namespace {

class BenchView : public CanvasView {
 public:
  DeviceContext& DrawingCanvas() override { return canvas; }
  RasterCanvas canvas{1920, 1080};
};

// A full-HD pane looking obliquely at a 40 x 40 area around the origin.
void ApplyBenchProjection() {
  SetViewportTransform(1920, 1080, 1.0f / 25.0f, -1);
  const float a = 0.4f, c = std::cos(a), s = std::sin(a);
  Matrix4 tilt = kIdentityMatrix;
  tilt.at(1, 1) = c;
  tilt.at(1, 2) = s;
  tilt.at(2, 1) = -s;
  tilt.at(2, 2) = c;
  SetModelMatrix(tilt);
}

// 100 000 triangles: a 250 x 200 grid of quads over the area.
std::unique_ptr<CMeshObject> BenchMesh() { return GridMesh(250, 200); }

// 50 surfaces of 20 x 20 control points, in a 10 x 5 array over the area.
std::vector<std::unique_ptr<CSurfaceObject>> BenchSurfaces() {
  std::vector<std::unique_ptr<CSurfaceObject>> surfaces;
  for (int k = 0; k < 50; ++k) {
    auto surface = std::make_unique<CSurfaceObject>();
    const float x0 = -20.0f + 4.0f * static_cast<float>(k % 10), y0 = -20.0f + 8.0f * static_cast<float>(k / 10);
    std::vector<Vector3> points;
    for (int i = 0; i < 20; ++i) {
      for (int j = 0; j < 20; ++j) {
        const float u = static_cast<float>(j) / 19.0f, v = static_cast<float>(i) / 19.0f;
        points.push_back({x0 + 3.5f * u, y0 + 7.0f * v, std::sin(6.0f * u) * std::cos(4.0f * v)});
      }
    }
    surface->SetPoints(400, points);
    surface->rows = surface->columns = 20;
    surfaces.push_back(std::move(surface));
  }
  return surfaces;
}

void DrawScene(benchmark::State& state, bool mesh) {
  BenchView view;
  SetDrawingView(&view);
  SetDrawColor(0xFFFFFF);
  ApplyBenchProjection();
  const auto meshObject = mesh ? BenchMesh() : nullptr;
  const auto surfaces = mesh ? std::vector<std::unique_ptr<CSurfaceObject>>() : BenchSurfaces();
  const int mode = static_cast<int>(state.range(0));
  const auto draw = [&] {
    if (meshObject) meshObject->Draw(mode);
    for (const auto& surface : surfaces) surface->Draw(mode);
  };
  // A first frame before the timing, as in every frame benchmark.
  draw();
  for (auto _ : state) {
    draw();
    benchmark::DoNotOptimize(view.canvas.rows().data());
  }
  SetDrawingView(nullptr);
}

void BM_WireframeMesh(benchmark::State& state) { DrawScene(state, true); }
BENCHMARK(BM_WireframeMesh)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_WireframeSurfaces(benchmark::State& state) { DrawScene(state, false); }
BENCHMARK(BM_WireframeSurfaces)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_PointPick(benchmark::State& state) {
  ApplyBenchProjection();
  const auto mesh = BenchMesh();
  const auto surfaces = BenchSurfaces();
  SetPickPoint(960, 540);
  for (auto _ : state) {
    BeginPick();
    SetPickCandidate(mesh.get());
    mesh->Draw(0);
    for (const auto& surface : surfaces) {
      SetPickCandidate(surface.get());
      surface->Draw(0);
    }
    benchmark::DoNotOptimize(EndPick());
  }
}
BENCHMARK(BM_PointPick)->Unit(benchmark::kMillisecond);

}  // namespace

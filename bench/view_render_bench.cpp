#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_map>
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
#include "scene/shading_arrays.h"
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
  const auto& mesh = static_cast<const CMeshObject&>(*GetObjectList());
  for (auto& surface : Surfaces()) bench.Add(std::move(surface));
  // The first frame builds the drawing arrays: BM_FirstShadedFrame times it.
  RedrawView(&bench.pane);
  for (auto _ : state) {
    if (contextPerFrame) GlFrame::Instance().ReleaseContext();
    RedrawView(&bench.pane);
    benchmark::DoNotOptimize(bench.view.depth->data.data());
  }
  // The mesh's kept arrays against its own points and face tables.
  if (const auto* arrays = dynamic_cast<const ShadingArrays*>(mesh.drawingCache.get())) {
    const double own = static_cast<double>(mesh.points.size() * sizeof(Vector3) +
                                           (mesh.faceIndices.size() + mesh.faceSizes.size()) *
                                               sizeof(std::int32_t));
    state.counters["meshOwnMB"] = own / 1e6;
    state.counters["meshCacheMB"] = static_cast<double>(arrays->Bytes()) / 1e6;
  }
}

void BM_ShadedFrameKeptContext(benchmark::State& state) { ShadedFrame(state, false); }
BENCHMARK(BM_ShadedFrameKeptContext)->Unit(benchmark::kMillisecond);

// The first shaded frame after the design is opened: every object's tessellation and drawing
// arrays are built, then drawn. Each repetition drops the objects' kept arrays first.
void BM_FirstShadedFrame(benchmark::State& state) {
  BenchPane bench(kDisplayFastShading);
  if (GlFrame::Instance().Begin(8, 8) != GlFrameStatus::kReady) {
    state.SkipWithError(GlFrame::Instance().lastError().c_str());
    return;
  }
  bench.Add(SmoothMesh());
  for (auto& surface : Surfaces()) bench.Add(std::move(surface));
  // The context and the view's own state are made by a frame before the timing.
  RedrawView(&bench.pane);
  for (auto _ : state) {
    state.PauseTiming();
    for (const CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) {
      object->drawingCache.reset();
    }
    state.ResumeTiming();
    RedrawView(&bench.pane);
    benchmark::DoNotOptimize(bench.view.depth->data.data());
  }
}
BENCHMARK(BM_FirstShadedFrame)->Unit(benchmark::kMillisecond);

// libGL for everything but drawing: what a frame would draw is kept as separate triangles (quads
// and polygons split as fans from their first vertex), each vertex with its normal.
class TriangleCapture : public LibGlCalls {
 public:
  struct Vertex {
    Vector3 point;
    Vector3 normal;
  };
  std::vector<Vertex> triangles;

  void Begin(GlEnum mode) override {
    mode_ = mode;
    run_.clear();
  }
  void End() override { Emit(run_); }
  void Normal3fv(const float* normal) override { normal_ = {normal[0], normal[1], normal[2]}; }
  void Vertex3fv(const float* vertex) override {
    run_.push_back({{vertex[0], vertex[1], vertex[2]}, normal_});
  }
  void VertexPointer(int, GlEnum, int, const void* pointer) override {
    points_ = static_cast<const Vector3*>(pointer);
  }
  void NormalPointer(GlEnum, int, const void* pointer) override {
    normals_ = static_cast<const Vector3*>(pointer);
  }
  void DrawElements(GlEnum mode, int count, GlEnum, const void* indices) override {
    const auto* index = static_cast<const std::uint32_t*>(indices);
    mode_ = mode;
    std::vector<Vertex> run;
    for (int i = 0; i < count; ++i) run.push_back({points_[index[i]], normals_[index[i]]});
    EmitPrimitives(run);
  }
  void DrawArrays(GlEnum mode, int first, int count) override {
    mode_ = mode;
    std::vector<Vertex> run;
    for (int i = first; i < first + count; ++i) run.push_back({points_[i], normals_[i]});
    EmitPrimitives(run);
  }

 private:
  void EmitPrimitives(const std::vector<Vertex>& run) {
    const std::size_t size = mode_ == kGlQuads ? 4 : 3;
    if (mode_ == kGlPolygon) return Emit(run);
    for (std::size_t k = 0; k + size <= run.size(); k += size) {
      Emit(std::vector<Vertex>(run.begin() + static_cast<std::ptrdiff_t>(k),
                               run.begin() + static_cast<std::ptrdiff_t>(k + size)));
    }
  }
  void Emit(const std::vector<Vertex>& polygon) {
    if (mode_ == kGlTriangles && polygon.size() > 3) return EmitPrimitives(polygon);
    for (std::size_t k = 1; k + 1 < polygon.size(); ++k) {
      triangles.insert(triangles.end(), {polygon[0], polygon[k], polygon[k + 1]});
    }
  }

  GlEnum mode_ = kGlTriangles;
  Vector3 normal_;
  std::vector<Vertex> run_;
  const Vector3* points_ = nullptr;
  const Vector3* normals_ = nullptr;
};

// The captured triangles as one array of distinct vertices and the indices of their corners, so
// that the bare draw lights each shared vertex once as an indexed path may.
struct IndexedSoup {
  std::vector<TriangleCapture::Vertex> vertices;
  std::vector<std::uint32_t> indices;
};

IndexedSoup IndexTriangles(const std::vector<TriangleCapture::Vertex>& corners) {
  IndexedSoup soup;
  std::unordered_map<std::string_view, std::uint32_t> seen;
  std::vector<std::string> keys(corners.size());
  for (std::size_t i = 0; i < corners.size(); ++i) {
    keys[i].assign(reinterpret_cast<const char*>(&corners[i]), sizeof(TriangleCapture::Vertex));
    const auto [at, added] =
        seen.try_emplace(keys[i], static_cast<std::uint32_t>(soup.vertices.size()));
    if (added) soup.vertices.push_back(corners[i]);
    soup.indices.push_back(at->second);
  }
  return soup;
}

// What the GL itself needs for the shaded frame's picture: the triangles that frame draws, from
// one prebuilt vertex array, lit, depth-tested and read back as colour and depth.
void BM_BareTriangleSoup(benchmark::State& state) {
  std::vector<TriangleCapture::Vertex> corners;
  {
    BenchPane bench(kDisplayFastShading);
    if (GlFrame::Instance().Begin(8, 8) != GlFrameStatus::kReady) {
      state.SkipWithError(GlFrame::Instance().lastError().c_str());
      return;
    }
    TriangleCapture capture;
    InstallGlCalls(&capture);
    bench.Add(SmoothMesh());
    for (auto& surface : Surfaces()) bench.Add(std::move(surface));
    RedrawView(&bench.pane);
    corners = std::move(capture.triangles);
  }
  const IndexedSoup soup = IndexTriangles(corners);
  corners = {};
  CViewport pane;
  pane.SetSize(kWidth, kHeight);
  pane.SetAxes(0, 2, 1, 1, 1, -1);
  const float f = pane.zoomScale / pane.viewExtent;
  LibGlCalls gl;
  std::vector<std::uint8_t> colour(static_cast<std::size_t>(kWidth) * 3 * kHeight);
  std::vector<float> depths(static_cast<std::size_t>(kWidth) * kHeight);
  const auto draw = [&] {
    if (gl.BeginFrame(kWidth, kHeight) != GlFrameStatus::kReady) return false;
    gl.Enable(kGlLight0);
    gl.Enable(kGlLighting);
    gl.Enable(kGlDepthTest);
    gl.DepthFunc(kGlGequal);
    gl.ClearDepth(0.0);
    gl.Enable(kGlNormalize);
    gl.EnableClientState(kGlVertexArray);
    gl.EnableClientState(kGlNormalArray);
    gl.MatrixMode(kGlProjection);
    gl.LoadIdentity();
    gl.Scaled(f * static_cast<float>(kHeight) / kWidth, f, 0.02 * f);
    gl.MatrixMode(kGlModelview);
    gl.LoadMatrixf(pane.viewMatrix.m);
    gl.Clear(kGlColorBufferBit | kGlDepthBufferBit);
    gl.VertexPointer(3, kGlFloat, sizeof(TriangleCapture::Vertex), &soup.vertices[0].point);
    gl.NormalPointer(kGlFloat, sizeof(TriangleCapture::Vertex), &soup.vertices[0].normal);
    gl.DrawElements(kGlTriangles, static_cast<int>(soup.indices.size()), kGlUnsignedInt,
                    soup.indices.data());
    gl.Finish();
    gl.ReadPixels(0, 0, kWidth, kHeight, kGlBgr, kGlUnsignedByte, colour.data());
    gl.ReadPixels(0, 0, kWidth, kHeight, kGlDepthComponent, kGlFloat, depths.data());
    return true;
  };
  // Drawn once before the timing, as the shaded frames are.
  if (!draw()) {
    state.SkipWithError(GlFrame::Instance().lastError().c_str());
    return;
  }
  for (auto _ : state) {
    draw();
    benchmark::DoNotOptimize(depths.data());
  }
  state.counters["triangles"] = static_cast<double>(soup.indices.size() / 3);
  state.counters["vertices"] = static_cast<double>(soup.vertices.size());
}
BENCHMARK(BM_BareTriangleSoup)->Unit(benchmark::kMillisecond);

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
  // A first frame before the timing, as for the shaded frames.
  RedrawView(&bench.pane);
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

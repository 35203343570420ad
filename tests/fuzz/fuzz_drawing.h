#pragma once

#include <memory>

#include "fuzz_support.h"
#include "platform/gl_calls.h"
#include "platform/raster_canvas.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"

// A GL table that draws nothing but reads every vertex and normal a draw call names, as OpenGL
// would, and answers read-backs with a cleared frame.
class ReadingGl : public GlCalls {
 public:
  GlFrameStatus BeginFrame(int, int) override { return GlFrameStatus::kReady; }
  void Enable(GlEnum) override {}
  void Disable(GlEnum) override {}
  void EnableClientState(GlEnum) override {}
  void DepthFunc(GlEnum) override {}
  void ClearDepth(double) override {}
  void ClearColor(float, float, float, float) override {}
  void Clear(std::uint32_t) override {}
  void MatrixMode(GlEnum) override {}
  void LoadIdentity() override {}
  void Scaled(double, double, double) override {}
  void LoadMatrixf(const float*) override {}
  void MultMatrixf(const float*) override {}
  void GetFloatv(GlEnum name, float* values) override;
  void Materialfv(GlEnum, GlEnum, const float*) override {}
  void ShadeModel(GlEnum) override {}
  void Begin(GlEnum) override {}
  void End() override {}
  void Vertex3fv(const float*) override {}
  void Normal3fv(const float*) override {}
  void VertexPointer(int, GlEnum, int, const void* pointer) override { vertices_ = static_cast<const float*>(pointer); }
  void NormalPointer(GlEnum, int, const void* pointer) override { normals_ = static_cast<const float*>(pointer); }
  void DrawElements(GlEnum mode, int count, GlEnum type, const void* indices) override;
  void DrawArrays(GlEnum mode, int first, int count) override;
  void PixelZoom(float, float) override {}
  void PixelStorei(GlEnum, int) override {}
  void RasterPos3fv(const float*) override {}
  void DrawPixels(int, int, GlEnum, GlEnum, const void*) override {}
  void Finish() override {}
  void Flush() override {}
  void ReadPixels(int x, int y, int width, int height, GlEnum format, GlEnum type, void* pixels) override;

 private:
  void ReadVertex(std::uint32_t index);

  const float* vertices_ = nullptr;
  const float* normals_ = nullptr;
  float sum_ = 0.0f;
};

// What a window shows of the scene: a 64 x 48 Front pane of a document of its own, active while
// this lives, drawn into a canvas and depth raster of its own; Fast Shading goes through
// ReadingGl, Shading in colour and Rendering through the software renderer.
class FuzzDrawing : public CanvasView {
 public:
  FuzzDrawing();
  ~FuzzDrawing();

  DeviceContext& DrawingCanvas() override { return canvas_; }
  DepthRaster* ViewDepthRaster() override { return depth_.get(); }

  // Zoom All, a frame in every display mode, then a pick at the pane's centre.
  void DrawEveryWay();
  // One frame in Fast Shading.
  void Shade();

 private:
  void Frame(int displayMode);

  ActiveFuzzView view_;
  RasterCanvas canvas_;
  std::unique_ptr<DepthRaster> depth_;
  ReadingGl gl_;
};

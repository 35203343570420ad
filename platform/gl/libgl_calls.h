#pragma once

#include "platform/gl_calls.h"

// The entry-point table filled from libGL, drawing into the process's one off-screen frame.
class LibGlCalls : public GlCalls {
 public:
  GlFrameStatus BeginFrame(int width, int height) override;

  void Enable(GlEnum capability) override;
  void Disable(GlEnum capability) override;
  void EnableClientState(GlEnum array) override;
  void DepthFunc(GlEnum function) override;
  void ClearDepth(double depth) override;
  void ClearColor(float red, float green, float blue, float alpha) override;
  void Clear(std::uint32_t mask) override;
  void MatrixMode(GlEnum mode) override;
  void LoadIdentity() override;
  void Scaled(double x, double y, double z) override;
  void LoadMatrixf(const float* matrix) override;
  void MultMatrixf(const float* matrix) override;
  void GetFloatv(GlEnum name, float* values) override;
  void Materialfv(GlEnum face, GlEnum name, const float* values) override;
  void ShadeModel(GlEnum mode) override;
  void Begin(GlEnum mode) override;
  void End() override;
  void Vertex3fv(const float* vertex) override;
  void Normal3fv(const float* normal) override;
  void VertexPointer(int size, GlEnum type, int stride, const void* pointer) override;
  void NormalPointer(GlEnum type, int stride, const void* pointer) override;
  void DrawElements(GlEnum mode, int count, GlEnum type, const void* indices) override;
  void DrawArrays(GlEnum mode, int first, int count) override;
  void PixelZoom(float x, float y) override;
  void PixelStorei(GlEnum name, int value) override;
  void RasterPos3fv(const float* position) override;
  void DrawPixels(int width, int height, GlEnum format, GlEnum type, const void* pixels) override;
  void Finish() override;
  void Flush() override;
  void ReadPixels(int x, int y, int width, int height, GlEnum format, GlEnum type,
                  void* pixels) override;
};

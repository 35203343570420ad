#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "kernel/matrix4.h"
#include "platform/gl_calls.h"

// A GL table that draws nothing and keeps every call with its numbers, in order. Read-backs
// fill their destination with readColour (each byte) and readDepth.
class RecordingGl : public GlCalls {
 public:
  struct Call {
    std::string name;
    std::vector<double> numbers;
  };

  GlFrameStatus status = GlFrameStatus::kReady;
  std::uint8_t readColour = 0;
  float readDepth = 0.0f;
  std::vector<Call> calls;
  // What each DrawElements and DrawArrays drew: its mode and the vertices with their normals, in
  // the order drawn.
  struct Draw {
    GlEnum mode;
    std::vector<Vector3> vertices;
    std::vector<Vector3> normals;
  };
  std::vector<Draw> draws;

  std::vector<Draw> DrawsOf(GlEnum mode) const {
    std::vector<Draw> found;
    std::copy_if(draws.begin(), draws.end(), std::back_inserter(found),
                 [&](const Draw& draw) { return draw.mode == mode; });
    return found;
  }

  int Count(const std::string& name) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [&](const Call& call) { return call.name == name; }));
  }
  std::vector<Call> Named(const std::string& name) const {
    std::vector<Call> found;
    for (const Call& call : calls) {
      if (call.name == name) found.push_back(call);
    }
    return found;
  }

  GlFrameStatus BeginFrame(int width, int height) override {
    Record("BeginFrame", {double(width), double(height)});
    return status;
  }
  void Enable(GlEnum capability) override { Record("Enable", {double(capability)}); }
  void Disable(GlEnum capability) override { Record("Disable", {double(capability)}); }
  void EnableClientState(GlEnum array) override { Record("EnableClientState", {double(array)}); }
  void DepthFunc(GlEnum function) override { Record("DepthFunc", {double(function)}); }
  void ClearDepth(double depth) override { Record("ClearDepth", {depth}); }
  void ClearColor(float red, float green, float blue, float alpha) override {
    Record("ClearColor", {red, green, blue, alpha});
  }
  void Clear(std::uint32_t mask) override { Record("Clear", {double(mask)}); }
  void MatrixMode(GlEnum mode) override {
    Record("MatrixMode", {double(mode)});
    current_ = mode == kGlProjection ? &projection_ : &modelview_;
  }
  void LoadIdentity() override {
    Record("LoadIdentity", {});
    *current_ = kIdentityMatrix;
  }
  void Scaled(double x, double y, double z) override {
    Record("Scaled", {x, y, z});
    Matrix4 scale = kIdentityMatrix;
    scale[0] = static_cast<float>(x);
    scale[5] = static_cast<float>(y);
    scale[10] = static_cast<float>(z);
    *current_ = MatMultiply(scale, *current_);
  }
  void LoadMatrixf(const float* matrix) override {
    Record("LoadMatrixf", Floats(matrix, 16));
    std::copy(matrix, matrix + 16, current_->m);
  }
  void MultMatrixf(const float* matrix) override {
    Record("MultMatrixf", Floats(matrix, 16));
    Matrix4 m;
    std::copy(matrix, matrix + 16, m.m);
    *current_ = MatMultiply(m, *current_);  // row vectors: the new matrix acts first
  }
  // Answers with the matrix that the calls made: the modelview as loaded and multiplied, the
  // projection as the scale it was given.
  void GetFloatv(GlEnum name, float* values) override {
    Record("GetFloatv", {double(name)});
    const Matrix4& matrix = name == kGlProjectionMatrix ? projection_ : modelview_;
    std::copy(matrix.m, matrix.m + 16, values);
  }
  void Materialfv(GlEnum face, GlEnum name, const float* values) override {
    std::vector<double> numbers = {double(face), double(name)};
    for (int i = 0; i < 4; ++i) numbers.push_back(values[i]);
    Record("Materialfv", numbers);
  }
  void ShadeModel(GlEnum mode) override { Record("ShadeModel", {double(mode)}); }
  void Begin(GlEnum mode) override { Record("Begin", {double(mode)}); }
  void End() override { Record("End", {}); }
  void Vertex3fv(const float* vertex) override { Record("Vertex3fv", Floats(vertex, 3)); }
  void Normal3fv(const float* normal) override { Record("Normal3fv", Floats(normal, 3)); }
  void VertexPointer(int size, GlEnum type, int stride, const void* pointer) override {
    Record("VertexPointer", {double(size), double(type), double(stride)});
    vertices_ = static_cast<const Vector3*>(pointer);
  }
  void NormalPointer(GlEnum type, int stride, const void* pointer) override {
    Record("NormalPointer", {double(type), double(stride)});
    normals_ = static_cast<const Vector3*>(pointer);
  }
  void DrawElements(GlEnum mode, int count, GlEnum type, const void* indices) override {
    Record("DrawElements", {double(mode), double(count), double(type)});
    const auto* index = static_cast<const std::uint32_t*>(indices);
    Draw& draw = draws.emplace_back(Draw{mode, {}, {}});
    for (int i = 0; i < count; ++i) {
      draw.vertices.push_back(vertices_[index[i]]);
      draw.normals.push_back(normals_[index[i]]);
    }
  }
  void DrawArrays(GlEnum mode, int first, int count) override {
    Record("DrawArrays", {double(mode), double(first), double(count)});
    Draw& draw = draws.emplace_back(Draw{mode, {}, {}});
    for (int i = first; i < first + count; ++i) {
      draw.vertices.push_back(vertices_[i]);
      draw.normals.push_back(normals_[i]);
    }
  }
  void PixelZoom(float x, float y) override { Record("PixelZoom", {x, y}); }
  void PixelStorei(GlEnum name, int value) override {
    Record("PixelStorei", {double(name), double(value)});
  }
  void RasterPos3fv(const float* position) override {
    Record("RasterPos3fv", Floats(position, 3));
  }
  void DrawPixels(int width, int height, GlEnum format, GlEnum type, const void*) override {
    Record("DrawPixels", {double(width), double(height), double(format), double(type)});
  }
  void Finish() override { Record("Finish", {}); }
  void Flush() override { Record("Flush", {}); }
  void ReadPixels(int x, int y, int width, int height, GlEnum format, GlEnum type,
                  void* pixels) override {
    Record("ReadPixels", {double(x), double(y), double(width), double(height), double(format),
                          double(type)});
    const std::size_t count = static_cast<std::size_t>(width) * height;
    if (format == kGlDepthComponent) {
      std::fill_n(static_cast<float*>(pixels), count, readDepth);
    } else {
      std::memset(pixels, readColour, static_cast<std::size_t>((3 * width + 3) / 4 * 4) * height);
    }
  }

 private:
  static std::vector<double> Floats(const float* values, int count) {
    return std::vector<double>(values, values + count);
  }
  void Record(const char* name, std::vector<double> numbers) {
    calls.push_back({name, std::move(numbers)});
  }

  Matrix4 modelview_ = kIdentityMatrix;
  Matrix4 projection_ = kIdentityMatrix;
  Matrix4* current_ = &modelview_;
  const Vector3* vertices_ = nullptr;
  const Vector3* normals_ = nullptr;
};

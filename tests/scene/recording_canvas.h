#pragma once

#include <cstdint>
#include <vector>

#include "platform/device_context.h"
#include "scene/drawing_context.h"

// A drawing target that keeps what was drawn as polylines: every MoveTo starts one, every LineTo
// adds its end, in the pen colour of the MoveTo.
class RecordingCanvas : public DeviceContext {
 public:
  struct Vertex {
    int x;
    int y;
    friend bool operator==(const Vertex&, const Vertex&) = default;
  };
  struct Polyline {
    ColorRef color = 0;
    std::vector<Vertex> vertices;
  };

  void SetPenColor(ColorRef color) override { pen_ = color; }
  void MoveTo(int x, int y) override { polylines.push_back({pen_, {{x, y}}}); }
  void LineTo(int x, int y) override {
    if (polylines.empty()) polylines.push_back({pen_, {{0, 0}}});
    polylines.back().vertices.push_back({x, y});
  }
  void FillSolidRect(int, int, int, int, ColorRef) override {}
  void BlitDib(int, int, int, int, std::span<const std::uint8_t>) override {}
  void StretchDib(int, int, int, int, int, int, int, int, int, int, std::span<const std::uint8_t>) override {}

  std::vector<Polyline> polylines;

 private:
  ColorRef pen_ = 0;
};

// A view whose canvas is any target.
template <typename Canvas>
class TestView : public CanvasView {
 public:
  template <typename... Args>
  explicit TestView(Args... args) : canvas(args...) {}
  DeviceContext& DrawingCanvas() override { return canvas; }
  Canvas canvas;
};

#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/device_context.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"

// A drawing target that keeps what was drawn as polylines: every MoveTo starts one, every LineTo
// adds its end, in the pen colour of the MoveTo. Filled rectangles and blits are kept too.
class RecordingCanvas : public DeviceContext {
 public:
  struct Fill {
    int left, top, right, bottom;
    ColorRef color;
    friend bool operator==(const Fill&, const Fill&) = default;
  };
  struct Blit {
    int x, y, width, height;
    friend bool operator==(const Blit&, const Blit&) = default;
  };
  struct Stretch {
    int destX, destY, destWidth, destHeight, sourceX, sourceY, sourceWidth, sourceHeight;
    friend bool operator==(const Stretch&, const Stretch&) = default;
  };
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
  void FillSolidRect(int left, int top, int right, int bottom, ColorRef color) override {
    fills.push_back({left, top, right, bottom, color});
  }
  void BlitDib(int x, int y, int width, int height, std::span<const std::uint8_t>) override {
    blits.push_back({x, y, width, height});
  }
  void StretchDib(int destX, int destY, int destWidth, int destHeight, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, int, int, std::span<const std::uint8_t>) override {
    stretches.push_back({destX, destY, destWidth, destHeight, sourceX, sourceY, sourceWidth, sourceHeight});
  }

  std::vector<Polyline> polylines;
  std::vector<Fill> fills;
  std::vector<Blit> blits;
  std::vector<Stretch> stretches;

 private:
  ColorRef pen_ = 0;
};

// A view whose canvas is any target, with the depth raster of its shaded frames (none until
// it is sized).
template <typename Canvas>
class TestView : public CanvasView {
 public:
  template <typename... Args>
  explicit TestView(Args... args) : canvas(args...) {}
  DeviceContext& DrawingCanvas() override { return canvas; }
  DepthRaster* ViewDepthRaster() override { return depth.get(); }
  Canvas canvas;
  std::unique_ptr<DepthRaster> depth;
};

#pragma once

#include <cstdint>
#include <vector>

#include "platform/device_context.h"

// A window image in memory: bottom-up 24-bit B, G, R rows padded to 4 bytes, black when made.
// Lines follow the GDI rules and are clipped before they are stepped, so a line costs only its
// visible part wherever its ends lie.
class RasterCanvas final : public DeviceContext {
 public:
  // Sides outside 1..kMaxSide give an empty canvas, on which every drawing call does nothing.
  static constexpr int kMaxSide = 16384;

  RasterCanvas() = default;
  RasterCanvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  int rowBytes() const { return rowBytes_; }
  // The rows, bottom row first.
  const std::vector<std::uint8_t>& rows() const { return pixels_; }
  // The colour at (x, y), y from the top; 0 outside the canvas.
  ColorRef PixelAt(int x, int y) const;
  // Copies the rectangle left <= x < right, top <= y < bottom of the source to the same place
  // here; what lies outside either canvas is left out.
  void CopyRect(const RasterCanvas& source, int left, int top, int right, int bottom);

  void SetPenColor(ColorRef color) override { pen_ = color; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void DrawPolylines(std::span<const PixelPoint> points, std::span<const std::uint32_t> counts) override;
  void FillSolidRect(int left, int top, int right, int bottom, ColorRef color) override;
  void BlitDib(int x, int y, int width, int height, std::span<const std::uint8_t> rows) override;
  void StretchDib(int destX, int destY, int destWidth, int destHeight, int sourceX, int sourceY,
                  int sourceWidth, int sourceHeight, int imageWidth, int imageHeight,
                  std::span<const std::uint8_t> rows) override;

 private:
  std::uint8_t* PixelAddress(int x, int y) { return pixels_.data() + RowOffset(y) + 3 * x; }
  std::size_t RowOffset(int y) const {
    return static_cast<std::size_t>(height_ - 1 - y) * static_cast<std::size_t>(rowBytes_);
  }
  void DrawSegment(int x0, int y0, int x1, int y1);

  int width_ = 0;
  int height_ = 0;
  int rowBytes_ = 0;
  std::vector<std::uint8_t> pixels_;
  ColorRef pen_ = 0;
  int currentX_ = 0;
  int currentY_ = 0;
};

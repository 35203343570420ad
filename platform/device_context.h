#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Colours keep the COLORREF layout 0x00BBGGRR: red is the low byte.
using ColorRef = std::uint32_t;

// A pixel position, x to the right, y downward.
struct PixelPoint {
  int x;
  int y;
};

// Bytes of one row of 24-bit pixels, padded to a multiple of 4.
inline std::int64_t DibRowBytes(std::int64_t width) { return (3 * width + 3) / 4 * 4; }

// What drawing needs of a device: a 1-pixel pen with a current position, a filled rectangle and
// copies of pixel rows. Pixel rows are a bottom-up 24-bit DIB: blue, green, red bytes, each row
// padded to a multiple of 4 bytes. Coordinates are pixels, x to the right, y downward.
class DeviceContext {
 public:
  virtual ~DeviceContext() = default;

  virtual void SetPenColor(ColorRef color) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Draws from the current position up to, but not including, (x, y), which becomes the
  // current position.
  virtual void LineTo(int x, int y) = 0;
  // Draws polylines one after another: counts[i] points each, taken in turn from points, each
  // its first point moved to and lines to the others, exactly as MoveTo and LineTo would; the
  // current position ends at the last point. One call for the many lines of a frame.
  virtual void DrawPolylines(std::span<const PixelPoint> points, std::span<const std::uint32_t> counts) {
    std::size_t next = 0;
    for (const std::uint32_t count : counts) {
      for (std::uint32_t k = 0; k < count; ++k, ++next) {
        if (k == 0) {
          MoveTo(points[next].x, points[next].y);
        } else {
          LineTo(points[next].x, points[next].y);
        }
      }
    }
  }
  // Fills left <= x < right, top <= y < bottom.
  virtual void FillSolidRect(int left, int top, int right, int bottom, ColorRef color) = 0;
  // Draws width x height pixels upright with their top-left at (x, y): the last row in memory is
  // the top row on screen. Rows shorter than the image draw nothing.
  virtual void BlitDib(int x, int y, int width, int height, std::span<const std::uint8_t> rows) = 0;
  // Stretches the source rectangle, measured from the bottom-left of an imageWidth x imageHeight
  // picture, onto the destination rectangle. A negative width or height mirrors; source pixels
  // outside the picture draw nothing.
  virtual void StretchDib(int destX, int destY, int destWidth, int destHeight, int sourceX,
                          int sourceY, int sourceWidth, int sourceHeight, int imageWidth,
                          int imageHeight, std::span<const std::uint8_t> rows) = 0;
};

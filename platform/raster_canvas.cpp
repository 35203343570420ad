#include "platform/raster_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Wide enough for products of two 33-bit spans and a step count, whatever the int arguments.
using Wide = __int128;

template <class Int>
Int FloorDiv(Int a, Int b) {
  if (b < 0) {
    a = -a;
    b = -b;
  }
  Int q = a / b;
  if (a % b != 0 && a < 0) --q;
  return q;
}

template <class Int>
Int CeilDiv(Int a, Int b) {
  return -FloorDiv(-a, b);
}

// Ends of a line below this in magnitude keep every product of its clipping within 64 bits.
constexpr std::int64_t kNarrowEnd = std::int64_t{1} << 29;

// The steps first .. last of a line that fall on the canvas, the minor offset of the first and
// its error term, 2 first m + n mod 2n.
struct Steps {
  std::int64_t first;
  std::int64_t last;
  std::int64_t minor;
  std::int64_t remainder;
};

// The visible steps of a line of major length n and minor length m from (a0, b0), in Int, which
// must hold the products of n and m with the canvas offsets of the ends. False when none is.
template <class Int>
bool VisibleSteps(std::int64_t n, std::int64_t m, std::int64_t a0, std::int64_t b0, int sa, int sb,
                  std::int64_t aSize, std::int64_t bSize, Steps* steps) {
  Int first = 0;
  Int last = n - 1;
  if (sa > 0) {
    first = std::max<Int>(first, -a0);
    last = std::min<Int>(last, aSize - 1 - a0);
  } else {
    first = std::max<Int>(first, a0 - (aSize - 1));
    last = std::min<Int>(last, a0);
  }
  // The minor offsets that stay on the canvas: q(i) >= k from i >= (2k - 1) n / 2m, and
  // q(i) <= k up to i < (2k + 1) n / 2m.
  const std::int64_t kLow = sb > 0 ? -b0 : b0 - (bSize - 1);
  const std::int64_t kHigh = sb > 0 ? bSize - 1 - b0 : b0;
  if (m == 0) {
    if (kLow > 0 || kHigh < 0) return false;
  } else {
    first = std::max(first, CeilDiv(Int(2 * kLow - 1) * n, Int(2) * m));
    last = std::min(last, CeilDiv(Int(2 * kHigh + 1) * n, Int(2) * m) - 1);
  }
  if (first > last) return false;
  const Int numerator = Int(2) * first * m + n;
  const Int twoN = Int(2) * n;
  *steps = {static_cast<std::int64_t>(first), static_cast<std::int64_t>(last),
            static_cast<std::int64_t>(numerator / twoN), static_cast<std::int64_t>(numerator % twoN)};
  return true;
}

void PutPixel(std::uint8_t* p, ColorRef color) {
  p[0] = static_cast<std::uint8_t>(color >> 16);
  p[1] = static_cast<std::uint8_t>(color >> 8);
  p[2] = static_cast<std::uint8_t>(color);
}

// True when rows holds height rows of a width-pixel image.
bool RowsHold(std::span<const std::uint8_t> rows, std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0) return false;
  return Wide(DibRowBytes(width)) * height <= Wide(rows.size());
}

// The half-open pixel range [low, high) between start and start + extent, clipped to [0, size).
struct Span {
  std::int64_t low;
  std::int64_t high;
};
Span ClippedSpan(std::int64_t start, std::int64_t extent, std::int64_t size) {
  const std::int64_t a = std::min(start, start + extent);
  const std::int64_t b = std::max(start, start + extent);
  return {std::max<std::int64_t>(a, 0), std::min(b, size)};
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return;
  width_ = width;
  height_ = height;
  rowBytes_ = static_cast<int>(DibRowBytes(width));
  pixels_.assign(static_cast<std::size_t>(rowBytes_) * static_cast<std::size_t>(height), 0);
}

ColorRef RasterCanvas::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const std::uint8_t* p = pixels_.data() + RowOffset(y) + 3 * x;
  return ColorRef{p[2]} | ColorRef{p[1]} << 8 | ColorRef{p[0]} << 16;
}

void RasterCanvas::CopyRect(const RasterCanvas& source, int left, int top, int right,
                            int bottom) {
  const std::int64_t low = std::max<std::int64_t>(left, 0);
  const std::int64_t high = std::min<std::int64_t>({right, width_, source.width_});
  const std::int64_t first = std::max<std::int64_t>(top, 0);
  const std::int64_t last = std::min<std::int64_t>({bottom, height_, source.height_});
  if (low >= high) return;
  const std::size_t bytes = static_cast<std::size_t>(3 * (high - low));
  for (std::int64_t line = first; line < last; ++line) {
    const int px = static_cast<int>(low);
    const int py = static_cast<int>(line);
    std::memcpy(PixelAddress(px, py), source.pixels_.data() + source.RowOffset(py) + 3 * px, bytes);
  }
}

void RasterCanvas::MoveTo(int x, int y) {
  currentX_ = x;
  currentY_ = y;
}

void RasterCanvas::LineTo(int x, int y) {
  DrawSegment(currentX_, currentY_, x, y);
  currentX_ = x;
  currentY_ = y;
}

void RasterCanvas::DrawPolylines(std::span<const PixelPoint> points, std::span<const std::uint32_t> counts) {
  std::size_t next = 0;
  for (const std::uint32_t count : counts) {
    for (std::uint32_t k = 1; k < count; ++k) {
      const PixelPoint from = points[next + k - 1], to = points[next + k];
      DrawSegment(from.x, from.y, to.x, to.y);
    }
    next += count;
  }
  if (!points.empty()) MoveTo(points.back().x, points.back().y);
}

// Bresenham over the eight octants. Along the major axis (x when |dx| >= |dy|, so 45 degrees is
// x-major) step i = 0 .. n - 1 draws one pixel, the end pixel left out; the minor offset of step i
// is floor((2 i m + n) / 2n) for major length n and minor length m. A tie (exactly half a pixel)
// goes to the next minor pixel; the rule is ours, GDI's own is not published. Horizontal,
// vertical and 45-degree lines are exact under any rule.
//
// The closed form gives every step's pixel directly, so the visible steps are found before
// stepping and the error term starts at the first of them: a clipped line keeps exactly the
// pixels of the unclipped one and costs only its visible part. A line with both ends on the
// canvas needs no clipping; the others clip in 64 bits while their products fit, which every
// line a view draws does, and in 128 bits otherwise.
void RasterCanvas::DrawSegment(int x0, int y0, int x1, int y1) {
  if (pixels_.empty()) return;
  const std::int64_t dx = std::int64_t{x1} - x0;
  const std::int64_t dy = std::int64_t{y1} - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
  if (n == 0) return;
  const std::int64_t m = xMajor ? std::llabs(dy) : std::llabs(dx);
  const std::int64_t a0 = xMajor ? x0 : y0;
  const std::int64_t b0 = xMajor ? y0 : x0;
  const int sa = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int sb = (xMajor ? dy : dx) < 0 ? -1 : 1;

  Steps steps{0, n - 1, 0, n};
  const bool onCanvas = x0 >= 0 && x0 < width_ && x1 >= 0 && x1 < width_ && y0 >= 0 && y0 < height_ &&
                        y1 >= 0 && y1 < height_;
  if (!onCanvas) {
    const std::int64_t aSize = xMajor ? width_ : height_;
    const std::int64_t bSize = xMajor ? height_ : width_;
    const bool narrow = std::max({std::llabs(x0), std::llabs(y0), std::llabs(x1), std::llabs(y1)}) < kNarrowEnd;
    const bool visible = narrow ? VisibleSteps<std::int64_t>(n, m, a0, b0, sa, sb, aSize, bSize, &steps)
                                : VisibleSteps<Wide>(n, m, a0, b0, sa, sb, aSize, bSize, &steps);
    if (!visible) return;
  }

  const std::int64_t twoN = 2 * n;
  const std::int64_t twoM = 2 * m;
  std::int64_t remainder = steps.remainder;
  const std::int64_t a = a0 + sa * steps.first;
  const std::int64_t b = b0 + sb * steps.minor;
  const int x = static_cast<int>(xMajor ? a : b);
  const int y = static_cast<int>(xMajor ? b : a);
  // Memory rows run bottom-up, so one pixel down is one row back.
  const std::int64_t majorStep = xMajor ? 3 * sa : -std::int64_t{sa} * rowBytes_;
  const std::int64_t minorStep = xMajor ? -std::int64_t{sb} * rowBytes_ : 3 * sb;
  std::int64_t offset = static_cast<std::int64_t>(RowOffset(y)) + 3 * x;
  std::uint8_t* const base = pixels_.data();
  for (std::int64_t count = steps.last - steps.first + 1; count > 0; --count) {
    PutPixel(base + offset, pen_);
    offset += majorStep;
    remainder += twoM;
    if (remainder >= twoN) {
      remainder -= twoN;
      offset += minorStep;
    }
  }
}

void RasterCanvas::FillSolidRect(int left, int top, int right, int bottom, ColorRef color) {
  const Span columns = ClippedSpan(left, std::int64_t{right} - left, width_);
  const Span lines = ClippedSpan(top, std::int64_t{bottom} - top, height_);
  if (right <= left || bottom <= top || columns.low >= columns.high) return;
  for (std::int64_t y = lines.low; y < lines.high; ++y) {
    std::uint8_t* p = PixelAddress(static_cast<int>(columns.low), static_cast<int>(y));
    for (std::int64_t x = columns.low; x < columns.high; ++x, p += 3) PutPixel(p, color);
  }
}

void RasterCanvas::BlitDib(int x, int y, int width, int height,
                           std::span<const std::uint8_t> rows) {
  if (pixels_.empty() || !RowsHold(rows, width, height)) return;
  const Span columns = ClippedSpan(x, width, width_);
  const Span lines = ClippedSpan(y, height, height_);
  if (columns.low >= columns.high) return;
  const std::int64_t sourceRowBytes = DibRowBytes(width);
  const std::size_t bytes = static_cast<std::size_t>(3 * (columns.high - columns.low));
  for (std::int64_t screenY = lines.low; screenY < lines.high; ++screenY) {
    const std::int64_t sourceRow = std::int64_t{y} + height - 1 - screenY;
    const std::uint8_t* source = rows.data() + sourceRow * sourceRowBytes + 3 * (columns.low - x);
    std::memcpy(PixelAddress(static_cast<int>(columns.low), static_cast<int>(screenY)), source,
                bytes);
  }
}

// Nearest-pixel sampling: each destination pixel takes the source pixel under its centre. The
// device default would AND pixels together when shrinking, which no caller wants.
void RasterCanvas::StretchDib(int destX, int destY, int destWidth, int destHeight, int sourceX,
                              int sourceY, int sourceWidth, int sourceHeight, int imageWidth,
                              int imageHeight, std::span<const std::uint8_t> rows) {
  if (pixels_.empty() || !RowsHold(rows, imageWidth, imageHeight)) return;
  if (destWidth == 0 || destHeight == 0 || sourceWidth == 0 || sourceHeight == 0) return;
  const Span columns = ClippedSpan(destX, destWidth, width_);
  const Span lines = ClippedSpan(destY, destHeight, height_);
  if (columns.low >= columns.high || lines.low >= lines.high) return;

  // Across: the centre of column px lies (2 (px - destX) + 1) / 2 destWidth of the way along
  // the destination, and as far along the source from sourceX. The signs of the widths mirror.
  std::vector<std::int64_t> sourceColumn(static_cast<std::size_t>(columns.high - columns.low));
  for (std::int64_t px = columns.low; px < columns.high; ++px) {
    const Wide along = Wide(2 * (px - destX) + 1) * sourceWidth;
    const Wide column = sourceX + FloorDiv(along, Wide(2) * destWidth);
    sourceColumn[static_cast<std::size_t>(px - columns.low)] =
        column >= 0 && column < imageWidth ? static_cast<std::int64_t>(column) : -1;
  }
  // Down: the destination's top row takes the source rectangle's top, sourceY + sourceHeight,
  // counted from the bottom of the picture.
  const std::int64_t sourceRowBytes = DibRowBytes(imageWidth);
  for (std::int64_t py = lines.low; py < lines.high; ++py) {
    const Wide down = Wide(2 * (py - destY) + 1) * sourceHeight;
    const Wide row = Wide(sourceY) + sourceHeight + FloorDiv(-down, Wide(2) * destHeight);
    if (row < 0 || row >= imageHeight) continue;
    const std::uint8_t* sourceLine = rows.data() + static_cast<std::int64_t>(row) * sourceRowBytes;
    std::uint8_t* target = PixelAddress(static_cast<int>(columns.low), static_cast<int>(py));
    for (const std::int64_t column : sourceColumn) {
      if (column >= 0) std::memcpy(target, sourceLine + 3 * column, 3);
      target += 3;
    }
  }
}

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <tuple>
#include <string>
#include <utility>
#include <vector>

#include "canvas_pixels.h"
#include "platform/raster_canvas.h"

namespace {

RasterCanvas CanvasWithLine(int width, int height, int x0, int y0, int x1, int y1) {
  RasterCanvas canvas(width, height);
  canvas.SetPenColor(0xFFFFFF);
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
  return canvas;
}

TEST(RasterCanvasTest, LinesFollowTheGdiRules) {
  struct Case {
    const char* name;
    int x0, y0, x1, y1;
    std::vector<Pixel> pixels;
  };
  const Case cases[] = {
      {"horizontal", 2, 3, 6, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
      {"horizontal leftward", 6, 3, 2, 3, {{6, 3}, {5, 3}, {4, 3}, {3, 3}}},
      {"vertical upward", 4, 6, 4, 2, {{4, 6}, {4, 5}, {4, 4}, {4, 3}}},
      {"45 degrees", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}}},
      {"45 degrees up and left", 5, 7, 2, 4, {{5, 7}, {4, 6}, {3, 5}}},
      {"shallow slope", 0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
      {"steep slope", 7, 0, 6, 3, {{7, 0}, {7, 1}, {6, 2}}},
      {"zero length", 3, 3, 3, 3, {}},
  };
  for (const Case& c : cases) {
    const RasterCanvas canvas = CanvasWithLine(10, 10, c.x0, c.y0, c.x1, c.y1);
    EXPECT_EQ(LitPixels(canvas), RowOrder(c.pixels)) << c.name;
  }
}

TEST(RasterCanvasTest, LineToMovesTheCurrentPositionToItsEnd) {
  RasterCanvas canvas(8, 8);
  canvas.SetPenColor(0xFFFFFF);
  canvas.MoveTo(1, 1);
  canvas.LineTo(4, 1);
  canvas.LineTo(4, 3);  // starts at the end pixel the first line left out
  EXPECT_EQ(LitPixels(canvas), RowOrder({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}}));
}

TEST(RasterCanvasTest, PixelsAreBlueGreenRedInBottomUpRows) {
  RasterCanvas canvas(3, 2);
  EXPECT_EQ(canvas.rowBytes(), 12);
  canvas.SetPenColor(0x332211);  // red 0x11, green 0x22, blue 0x33
  canvas.MoveTo(1, 0);
  canvas.LineTo(2, 0);
  const std::vector<std::uint8_t>& rows = canvas.rows();
  ASSERT_EQ(rows.size(), 24u);
  // The top row is the second row in memory.
  EXPECT_EQ(rows[12 + 3], 0x33);
  EXPECT_EQ(rows[12 + 4], 0x22);
  EXPECT_EQ(rows[12 + 5], 0x11);
  EXPECT_EQ(canvas.PixelAt(1, 0), 0x332211u);
  EXPECT_EQ(canvas.PixelAt(1, 1), 0u);
}

// Clipping must keep exactly the pixels the whole line draws: each segment is drawn once on a
// canvas large enough to hold it and once on a small canvas, and the small one must equal the
// matching window of the large one.
TEST(RasterCanvasTest, ClippedLinesKeepTheUnclippedPixels) {
  constexpr int kWidth = 23, kHeight = 17, kMargin = 80;
  std::uint32_t seed = 12345;
  const auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range)) - range / 3;
  };
  for (int k = 0; k < 400; ++k) {
    const int x0 = next(3 * kWidth), y0 = next(3 * kHeight);
    const int x1 = next(3 * kWidth), y1 = next(3 * kHeight);
    const RasterCanvas small = CanvasWithLine(kWidth, kHeight, x0, y0, x1, y1);
    const RasterCanvas large = CanvasWithLine(kWidth + 2 * kMargin, kHeight + 2 * kMargin, x0 + kMargin,
                                              y0 + kMargin, x1 + kMargin, y1 + kMargin);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        ASSERT_EQ(small.PixelAt(x, y), large.PixelAt(x + kMargin, y + kMargin))
            << "segment (" << x0 << ", " << y0 << ") - (" << x1 << ", " << y1 << ") at " << x << ", " << y;
      }
    }
  }
}

TEST(RasterCanvasTest, FarEndsCostOnlyTheVisiblePart) {
  // Stepping these from end to end would take billions of steps.
  const RasterCanvas row = CanvasWithLine(6, 4, INT_MIN, 2, INT_MAX, 2);
  EXPECT_EQ(LitPixels(row), RowOrder({{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}));

  const RasterCanvas diagonal = CanvasWithLine(4, 4, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(LitPixels(diagonal), RowOrder({{0, 0}, {1, 1}, {2, 2}, {3, 3}}));

  // The same slope and start phase as a near line gives the same pixels.
  const RasterCanvas far = CanvasWithLine(9, 5, -2000000000, -1000000000, 2000000000, 1000000000);
  const RasterCanvas near = CanvasWithLine(9, 5, -20, -10, 20, 10);
  EXPECT_EQ(LitPixels(far), LitPixels(near));
  EXPECT_FALSE(LitPixels(near).empty());
}

// The rasteriser as it was before lines on the canvas skipped clipping and clipping moved to 64
// bits: every product in 128 bits. The pixels of one line on a width x height canvas, in row order.
std::vector<Pixel> ReferenceLinePixels(int width, int height, int x0, int y0, int x1, int y1) {
  using Wide = __int128;
  const auto floorDiv = [](Wide a, Wide b) {
    if (b < 0) a = -a, b = -b;
    Wide q = a / b;
    if (a % b != 0 && a < 0) --q;
    return q;
  };
  const auto ceilDiv = [&](Wide a, Wide b) { return -floorDiv(-a, b); };
  const std::int64_t dx = std::int64_t{x1} - x0, dy = std::int64_t{y1} - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
  if (n == 0) return {};
  const std::int64_t m = xMajor ? std::llabs(dy) : std::llabs(dx);
  const std::int64_t a0 = xMajor ? x0 : y0, b0 = xMajor ? y0 : x0;
  const int sa = (xMajor ? dx : dy) < 0 ? -1 : 1, sb = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const std::int64_t aSize = xMajor ? width : height, bSize = xMajor ? height : width;
  Wide first = 0, last = n - 1;
  if (sa > 0) {
    first = std::max<Wide>(first, -a0);
    last = std::min<Wide>(last, aSize - 1 - a0);
  } else {
    first = std::max<Wide>(first, a0 - (aSize - 1));
    last = std::min<Wide>(last, a0);
  }
  const std::int64_t kLow = sb > 0 ? -b0 : b0 - (bSize - 1), kHigh = sb > 0 ? bSize - 1 - b0 : b0;
  if (m == 0) {
    if (kLow > 0 || kHigh < 0) return {};
  } else {
    first = std::max(first, ceilDiv(Wide(2 * kLow - 1) * n, Wide(2) * m));
    last = std::min(last, ceilDiv(Wide(2 * kHigh + 1) * n, Wide(2) * m) - 1);
  }
  std::vector<Pixel> pixels;
  if (first > last) return pixels;
  const Wide numerator = Wide(2) * first * m + n;
  auto remainder = static_cast<std::int64_t>(numerator % (2 * n));
  std::int64_t a = a0 + sa * static_cast<std::int64_t>(first);
  std::int64_t b = b0 + sb * static_cast<std::int64_t>(numerator / (2 * n));
  for (auto count = static_cast<std::int64_t>(last - first) + 1; count > 0; --count) {
    pixels.emplace_back(static_cast<int>(xMajor ? a : b), static_cast<int>(xMajor ? b : a));
    a += sa;
    remainder += 2 * m;
    if (remainder >= 2 * n) {
      remainder -= 2 * n;
      b += sb;
    }
  }
  return RowOrder(pixels);
}

// Seeded lines of every kind: short ones on the canvas, long, steep and shallow ones, ones that
// leave it on any side or pass it by, ends far out (the 128-bit cases) and the extremes of int;
// each lights exactly the pixels of the old rasteriser.
TEST(RasterCanvasTest, LinesLightTheOldRasterisersPixels) {
  constexpr int kWidth = 61, kHeight = 37;
  std::mt19937 random(48);
  const auto within = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const int reach[] = {kWidth, 4 * kWidth, 1 << 16, 1 << 28, 1 << 30, INT_MAX};
  for (int k = 0; k < 6000; ++k) {
    const int r = reach[k % 6];
    const int low = r == kWidth ? 0 : -r, highX = r == kWidth ? kWidth - 1 : r, highY = r == kWidth ? kHeight - 1 : r;
    int x0 = within(low, highX), y0 = within(low, highY), x1 = within(low, highX), y1 = within(low, highY);
    if (k % 7 == 0) x1 = x0 + within(-3, 3);  // steep
    if (k % 11 == 0) y1 = y0 + within(-3, 3);  // shallow
    const RasterCanvas canvas = CanvasWithLine(kWidth, kHeight, x0, y0, x1, y1);
    ASSERT_EQ(LitPixels(canvas), ReferenceLinePixels(kWidth, kHeight, x0, y0, x1, y1))
        << "(" << x0 << ", " << y0 << ") - (" << x1 << ", " << y1 << ")";
  }
  for (const int far : {INT_MIN, INT_MAX}) {
    for (const int near : {-1, 0, 5, 36, 60, 61}) {
      for (const auto& [x0, y0, x1, y1] : {std::tuple{far, near, near, far}, std::tuple{near, far, far, near},
                                           std::tuple{far, far, near, near}, std::tuple{near, near, far, 3}}) {
        const RasterCanvas canvas = CanvasWithLine(kWidth, kHeight, x0, y0, x1, y1);
        ASSERT_EQ(LitPixels(canvas), ReferenceLinePixels(kWidth, kHeight, x0, y0, x1, y1))
            << "(" << x0 << ", " << y0 << ") - (" << x1 << ", " << y1 << ")";
      }
    }
  }
}

TEST(RasterCanvasTest, EmptyCanvasIgnoresDrawing) {
  for (const auto& [w, h] : {Pixel{0, 5}, Pixel{5, -1}, Pixel{RasterCanvas::kMaxSide + 1, 2}}) {
    RasterCanvas canvas(w, h);
    EXPECT_EQ(canvas.width(), 0);
    EXPECT_TRUE(canvas.rows().empty());
    canvas.MoveTo(0, 0);
    canvas.LineTo(5, 5);
    canvas.FillSolidRect(0, 0, 5, 5, 0xFFFFFF);
    EXPECT_EQ(canvas.PixelAt(0, 0), 0u);
  }
}

TEST(RasterCanvasTest, FillSolidRectLeavesOutRightAndBottomAndClips) {
  RasterCanvas canvas(4, 5);
  canvas.FillSolidRect(-2, 1, 3, 4, 0x010203);
  std::vector<Pixel> expected;
  for (int y = 1; y < 4; ++y) {
    for (int x = 0; x < 3; ++x) expected.emplace_back(x, y);
  }
  EXPECT_EQ(LitPixels(canvas), expected);
  EXPECT_EQ(canvas.PixelAt(2, 3), 0x010203u);

  RasterCanvas untouched(4, 4);
  untouched.FillSolidRect(3, 1, 1, 3, 0xFFFFFF);  // inverted
  untouched.FillSolidRect(INT_MIN, INT_MIN, INT_MIN + 1, INT_MAX, 0xFFFFFF);
  EXPECT_TRUE(LitPixels(untouched).empty());
}

// A 3 x 2 picture, so each row carries 3 bytes of padding (set, so that reading them shows).
// Bottom row A B C, top row D E F; each colour's red byte is its letter.
std::vector<std::uint8_t> Picture3x2() {
  const auto pixel = [](char letter) { return std::vector<std::uint8_t>{1, 2, static_cast<std::uint8_t>(letter)}; };
  std::vector<std::uint8_t> rows;
  for (const char* line : {"ABC", "DEF"}) {
    for (const char* c = line; *c != '\0'; ++c) {
      const std::vector<std::uint8_t> p = pixel(*c);
      rows.insert(rows.end(), p.begin(), p.end());
    }
    rows.insert(rows.end(), {0xEE, 0xEE, 0xEE});
  }
  return rows;
}

// The letters of a canvas, row by row from the top; '.' for black.
std::vector<std::string> Letters(const RasterCanvas& canvas) {
  std::vector<std::string> lines;
  for (int y = 0; y < canvas.height(); ++y) {
    std::string line;
    for (int x = 0; x < canvas.width(); ++x) {
      const ColorRef c = canvas.PixelAt(x, y);
      line += c == 0 ? '.' : static_cast<char>(c & 0xFF);
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(RasterCanvasTest, BlitDibDrawsUprightAndClips) {
  const std::vector<std::uint8_t> rows = Picture3x2();
  RasterCanvas canvas(5, 4);
  canvas.BlitDib(1, 1, 3, 2, rows);
  EXPECT_EQ(Letters(canvas), (std::vector<std::string>{".....", ".DEF.", ".ABC.", "....."}));

  RasterCanvas clipped(5, 2);
  clipped.BlitDib(3, -1, 3, 2, rows);
  EXPECT_EQ(Letters(clipped), (std::vector<std::string>{"...AB", "....."}));

  RasterCanvas refused(5, 4);
  refused.BlitDib(0, 0, 3, 3, rows);  // rows hold only two lines
  refused.BlitDib(0, 0, -3, 2, rows);
  EXPECT_TRUE(LitPixels(refused).empty());
}

TEST(RasterCanvasTest, CopyRectKeepsPlacesAndClipsToBothCanvases) {
  RasterCanvas source(5, 4);
  source.BlitDib(1, 1, 3, 2, Picture3x2());
  RasterCanvas copy(4, 5);
  copy.CopyRect(source, -2, 2, 9, 9);
  EXPECT_EQ(Letters(copy), (std::vector<std::string>{"....", "....", ".ABC", "....", "...."}));
  copy.CopyRect(source, 2, 1, 2, 3);  // no width
  copy.CopyRect(source, 0, 0, 2, 2);
  EXPECT_EQ(Letters(copy), (std::vector<std::string>{"....", ".D..", ".ABC", "....", "...."}));
}

TEST(RasterCanvasTest, StretchDibSamplesTheNearestSourcePixel) {
  const std::vector<std::uint8_t> rows = Picture3x2();
  struct Case {
    const char* name;
    int dx, dy, dw, dh, sx, sy, sw, sh;
    std::vector<std::string> letters;
  };
  const Case cases[] = {
      {"copy", 0, 0, 3, 2, 0, 0, 3, 2, {"DEF...", "ABC...", "......", "......"}},
      // Source y counts from the bottom: row 1 is the top row.
      {"bottom-left origin", 0, 0, 2, 1, 1, 1, 2, 1, {"EF....", "......", "......", "......"}},
      {"doubled", 0, 0, 6, 4, 0, 0, 3, 2, {"DDEEFF", "DDEEFF", "AABBCC", "AABBCC"}},
      {"mirrored by destination width", 3, 0, -3, 2, 0, 0, 3, 2, {"FED...", "CBA...", "......", "......"}},
      {"mirrored by source height", 0, 0, 3, 2, 0, 2, 3, -2, {"ABC...", "DEF...", "......", "......"}},
      {"mirrored both ways", 3, 2, -3, -2, 0, 0, 3, 2, {"CBA...", "FED...", "......", "......"}},
      {"halved", 0, 0, 2, 1, 0, 0, 3, 2, {"DF....", "......", "......", "......"}},
      {"partly outside the picture", 0, 0, 2, 2, 2, 0, 2, 2, {"F.....", "C.....", "......", "......"}},
      {"wholly outside the picture", 0, 0, 2, 2, 5, 5, 2, 2, {"......", "......", "......", "......"}},
      {"clipped destination", -2, -1, 6, 4, 0, 0, 3, 2, {"EEFF..", "BBCC..", "BBCC..", "......"}},
  };
  for (const Case& c : cases) {
    RasterCanvas canvas(6, 4);
    canvas.StretchDib(c.dx, c.dy, c.dw, c.dh, c.sx, c.sy, c.sw, c.sh, 3, 2, rows);
    EXPECT_EQ(Letters(canvas), c.letters) << c.name;
  }
}

TEST(RasterCanvasTest, StretchDibRefusesDegenerateArguments) {
  const std::vector<std::uint8_t> rows = Picture3x2();
  RasterCanvas canvas(6, 4);
  canvas.StretchDib(0, 0, 0, 2, 0, 0, 3, 2, 3, 2, rows);
  canvas.StretchDib(0, 0, 3, 2, 0, 0, 0, 2, 3, 2, rows);
  canvas.StretchDib(0, 0, 3, 2, 0, 0, 3, 2, 3, 3, rows);  // rows too short for the picture
  canvas.StretchDib(0, 0, 3, 2, 0, 0, 3, 2, -3, 2, rows);
  canvas.StretchDib(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 3, 2, rows);
  EXPECT_EQ(Letters(canvas)[3], "......");
  EXPECT_EQ(Letters(canvas)[0], "......");
}

}  // namespace

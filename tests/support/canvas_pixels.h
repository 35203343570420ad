#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/raster_canvas.h"

using Pixel = std::pair<int, int>;

// Pixels sorted row by row from the top, then left to right.
inline std::vector<Pixel> RowOrder(std::vector<Pixel> pixels) {
  std::sort(pixels.begin(), pixels.end(), [](Pixel a, Pixel b) {
    return a.second != b.second ? a.second < b.second : a.first < b.first;
  });
  return pixels;
}

// Every pixel of the canvas that is not black, in row order.
inline std::vector<Pixel> LitPixels(const RasterCanvas& canvas) {
  std::vector<Pixel> lit;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.PixelAt(x, y) != 0) lit.emplace_back(x, y);
    }
  }
  return lit;
}

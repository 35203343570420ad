#pragma once

#include <cstdint>
#include <vector>

// A 24-bit picture as the program keeps it: rows bottom-up, each pixel blue, green, red, every
// row padded to a multiple of 4 bytes.
struct Picture {
  int width = 0;
  int height = 0;
  int rowBytes = 0;
  std::vector<std::uint8_t> pixels;

  static int RowBytesFor(int width) { return (3 * width + 3) / 4 * 4; }
  // A picture of the given size, every pixel black.
  static Picture Blank(int width, int height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rowBytes = RowBytesFor(width);
    picture.pixels.assign(static_cast<std::size_t>(picture.rowBytes) * static_cast<std::size_t>(height), 0);
    return picture;
  }
  bool Empty() const { return width <= 0 || height <= 0; }
};

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "scratch_file.h"

// The parts of a BMP file, laid out by hand.
struct BmpFixture {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  Bytes table;   // colour table or channel masks, as they follow the header
  Bytes pixels;  // source rows, bottom first
};

inline Bytes MakeBmp(const BmpFixture& f) {
  Bytes b = {'B', 'M'};
  const std::uint32_t offset = 14 + f.headerSize + static_cast<std::uint32_t>(f.table.size());
  Append(&b, static_cast<std::uint32_t>(offset + f.pixels.size()));
  Append(&b, std::uint32_t{0});
  Append(&b, offset);
  Append(&b, f.headerSize);
  if (f.headerSize == 12) {
    Append(&b, static_cast<std::uint16_t>(f.width));
    Append(&b, static_cast<std::uint16_t>(f.height));
    Append(&b, std::uint16_t{1});
    Append(&b, f.bits);
  } else {
    Append(&b, f.width);
    Append(&b, f.height);
    Append(&b, std::uint16_t{1});
    Append(&b, f.bits);
    Append(&b, f.compression);
    for (int i = 0; i < 5; ++i) Append(&b, std::uint32_t{0});
  }
  b.insert(b.end(), f.table.begin(), f.table.end());
  b.insert(b.end(), f.pixels.begin(), f.pixels.end());
  return b;
}

// A 24-bit picture whose pixel (x, y), y counted from the top, has the COLORREF colour(x, y).
inline Bytes MakeBmp24(int width, int height, const std::function<std::uint32_t(int, int)>& colour) {
  const int rowBytes = (width * 3 + 3) & ~3;
  Bytes pixels(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = pixels.data() + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(rowBytes);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = colour(x, y);
      row[3 * x] = static_cast<std::uint8_t>(c >> 16);
      row[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(c);
    }
  }
  return MakeBmp({40, width, height, 24, 0, {}, pixels});
}

// Pictures every reader of outside pictures must refuse without harm.
inline std::vector<std::pair<std::string, Bytes>> DamagedBmps() {
  Bytes cutShort = MakeBmp({});
  cutShort.resize(20);
  Bytes wrongMagic = MakeBmp({});
  wrongMagic[0] = 'X';
  return {{"header cut short", cutShort},
          {"width 0", MakeBmp({40, 0, 1, 24, 0, {}, {}})},
          {"past the size cap", MakeBmp({40, 65536, 65536, 24, 0, {}, {}})},
          {"wrong magic", wrongMagic}};
}

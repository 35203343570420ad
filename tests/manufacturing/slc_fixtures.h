#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// SLC files written by hand from the format's description, never by the program's writer.
class SlcBytes {
 public:
  using Boundary = std::vector<std::pair<float, float>>;

  // The header text as given, then CR LF 0x1A, the reserved block and a table of the entries.
  SlcBytes& Header(const std::string& text, std::initializer_list<float> thicknesses = {0.125f}) {
    Text(text + "\r\n\x1A");
    bytes.insert(bytes.end(), 256, ' ');
    bytes.push_back(static_cast<std::uint8_t>(thicknesses.size()));
    for (const float t : thicknesses) Floats({0.0f, t, 0.0f, 0.0f});
    return *this;
  }
  // A header of the unit with extents that do not matter to the readers.
  SlcBytes& UnitHeader(const char* unit, float thickness = 0.125f) {
    return Header(std::string("-SLCVER 2.0 -UNIT ") + unit + " -TYPE PART -PACKAGE Lumidrex 4.0 -EXTENTS 0,1,0,1,0,1 ",
                  {thickness});
  }
  SlcBytes& Layer(float z, const std::vector<Boundary>& boundaries) {
    Floats({z});
    U32(static_cast<std::uint32_t>(boundaries.size()));
    for (const Boundary& b : boundaries) {
      U32(static_cast<std::uint32_t>(b.size()));
      U32(0);
      for (const auto& [x, y] : b) Floats({x, y});
    }
    return *this;
  }
  SlcBytes& Terminator(float z) {
    Floats({z});
    return U32(0xFFFFFFFF);
  }
  SlcBytes& Text(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
  }
  SlcBytes& U32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return *this;
  }
  SlcBytes& Floats(std::initializer_list<float> values) {
    for (const float v : values) U32(std::bit_cast<std::uint32_t>(v));
    return *this;
  }

  std::vector<std::uint8_t> bytes;
};

// The square (0, 0) - (10, 10), counter-clockwise, its first vertex repeated.
inline SlcBytes::Boundary Square10() { return {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}; }

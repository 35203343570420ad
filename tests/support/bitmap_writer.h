#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes a 24-bit BMP through the program's writer; pixels are blue, green, red, bottom row
// first, width x height of them without padding. False when it cannot be written.
bool WriteTestBitmap(const std::string& path, int width, int height, const std::vector<std::uint8_t>& pixels);

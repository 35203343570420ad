#include "render/picture_pixels.h"

#include <cmath>
#include <cstddef>
#include <limits>

float Bend(float a, float b) { return 1.0f - (a * b + 1.0f) / std::sqrt((a * a + 1.0f) * (b * b + 1.0f)); }

bool OutlinePointIsWhite(const float* raster, int stride, int x, int y, float threshold) {
  const auto z = [&](int column, int row) {
    return raster[static_cast<std::size_t>(row) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(column)];
  };
  const float here = z(x, y);
  // "< threshold" rather than "not >= threshold": a NaN bend must count as a line.
  return Bend(here - z(x - 1, y), z(x + 1, y) - here) < threshold &&
         Bend(here - z(x, y - 1), z(x, y + 1) - here) < threshold &&
         Bend(here - z(x - 1, y), z(x + 2, y) - z(x + 1, y)) < threshold &&
         Bend(here - z(x, y - 1), z(x, y + 2) - z(x, y + 1)) < threshold;
}

void ReduceBand(const std::uint8_t* band, int width, int n, std::uint8_t* out) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  const int area = n * n;
  for (int block = 0; block < width / n; ++block) {
    for (int channel = 0; channel < 3; ++channel) {
      int sum = 0;
      for (int row = 0; row < n; ++row) {
        const std::uint8_t* p = band + static_cast<std::size_t>(row) * rowBytes + static_cast<std::size_t>(block * n) * 3;
        for (int column = 0; column < n; ++column) sum += p[3 * column + channel];
      }
      out[3 * block + channel] = static_cast<std::uint8_t>(sum / area);
    }
  }
}

std::int32_t PictureResolution(double zoom, int height) {
  const double value = std::trunc(zoom * height * 20 + 0.5);
  if (std::isnan(value)) return 0;
  if (value >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

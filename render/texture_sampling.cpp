#include "render/texture_sampling.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "kernel/bmp_image.h"

namespace {

// Where a coordinate falls on one axis of the repeated picture.
struct WrappedPosition {
  int index;       // 0..size-1
  float fraction;  // the coordinate's distance past that texel
};

// A floor-modulo in double is exact for every float, so far-away coordinates cost nothing and
// land where stepping by the size would have brought them.
WrappedPosition Wrap(float coordinate, int size) {
  float x = coordinate * static_cast<float>(size);
  if (!std::isfinite(x)) x = 0.0f;
  const double whole = std::floor(static_cast<double>(x));
  double index = std::fmod(whole, static_cast<double>(size));
  if (index < 0.0) index += size;
  return {static_cast<int>(index), static_cast<float>(static_cast<double>(x) - whole)};
}

int Next(int index, int step, int size) { return ((index + step) % size + size) % size; }

const std::uint8_t* Texel(const ImageRecord& image, int column, int row) {
  return image.data.data() + static_cast<std::size_t>(row) * image.rowBytes + static_cast<std::size_t>(column) * 3;
}

float Brightness(const ImageRecord& image, int column, int row) {
  const std::uint8_t* p = Texel(image, column, row);
  return static_cast<float>(p[0] + p[1] + p[2]) / 765.0f;
}

// Rounding can take the ratio a little past 1, where acos and asin have no value.
float UnitClamped(float x) { return std::clamp(x, -1.0f, 1.0f); }

float AroundAxis(Vector3 p, float r) {
  const float u = std::acos(UnitClamped(p.x / r)) * 0.5f / std::numbers::pi_v<float>;
  return p.y < 0.0f ? 1.0f - u : u;
}

}  // namespace

void MapTextureCoordinates(int mappingKind, Vector3 p, float* u, float* v) {
  if (mappingKind == 1) {
    *u = (p.x + 1.0f) * 0.5f;
    *v = (p.y + 1.0f) * 0.5f;
    return;
  }
  if (mappingKind != 2 && mappingKind != 3) return;
  const float r2 = p.x * p.x + p.y * p.y;
  const float r = std::sqrt(r2);
  *u = r2 < 0.00001f ? 0.0f : AroundAxis(p, r);
  if (mappingKind == 2) {
    *v = (p.z + 1.0f) * 0.5f;
    return;
  }
  const float q2 = p.z * p.z + r2;
  *v = q2 < 0.00001f ? 0.0f : std::asin(UnitClamped(p.z / std::sqrt(q2))) / std::numbers::pi_v<float> + 0.5f;
}

void SampleTextureBilinear(const ImageRecord& image, float u, float v, float* outRed, float* outGreen,
                           float* outBlue) {
  const WrappedPosition x = Wrap(u, image.width);
  const WrappedPosition y = Wrap(v, image.height);
  const int c1 = Next(x.index, 1, image.width);
  const int r1 = Next(y.index, 1, image.height);
  const std::uint8_t* p00 = Texel(image, x.index, y.index);
  const std::uint8_t* p10 = Texel(image, c1, y.index);
  const std::uint8_t* p01 = Texel(image, x.index, r1);
  const std::uint8_t* p11 = Texel(image, c1, r1);
  const float fx = x.fraction;
  const float fy = y.fraction;
  // Pixels hold blue, green, red.
  float* const out[3] = {outBlue, outGreen, outRed};
  for (int channel = 0; channel < 3; ++channel) {
    const float bottom = (1.0f - fx) * p00[channel] + fx * p10[channel];
    const float top = (1.0f - fx) * p01[channel] + fx * p11[channel];
    *out[channel] = ((1.0f - fy) * bottom + fy * top) / 255.0f;
  }
}

void SampleBumpGradient(const ImageRecord& image, float u, float v, float* outDu, float* outDv) {
  const WrappedPosition x = Wrap(u, image.width);
  const WrappedPosition y = Wrap(v, image.height);
  int columns[4];
  int rows[4];
  for (int i = 0; i < 4; ++i) {
    columns[i] = Next(x.index, i - 1, image.width);
    rows[i] = Next(y.index, i - 1, image.height);
  }
  const float fx = x.fraction;
  const float fy = y.fraction;
  const float weights[2][2] = {{(1.0f - fx) * (1.0f - fy), fx * (1.0f - fy)}, {(1.0f - fx) * fy, fx * fy}};
  float du = 0.0f;
  float dv = 0.0f;
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 2; ++i) {
      const int c = columns[i + 1];
      const int r = rows[j + 1];
      du += weights[j][i] * (Brightness(image, columns[i + 2], r) - Brightness(image, columns[i], r));
      dv += weights[j][i] * (Brightness(image, c, rows[j + 2]) - Brightness(image, c, rows[j]));
    }
  }
  *outDu = du;
  *outDv = dv;
}

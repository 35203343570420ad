#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>

#include "kernel/bmp_image.h"
#include "render/texture_sampling.h"

namespace {

// 4 x 2 texels with distinct values in every channel; rows bottom first, each pixel blue,
// green, red.
ImageRecord FourByTwo() {
  ImageRecord image;
  image.width = 4;
  image.height = 2;
  image.rowBytes = 12;
  for (int i = 0; i < 8; ++i) {
    image.data.push_back(static_cast<std::uint8_t>(10 + i));       // blue
    image.data.push_back(static_cast<std::uint8_t>(100 + 10 * i));  // green
    image.data.push_back(static_cast<std::uint8_t>(250 - 30 * i));  // red
  }
  return image;
}

struct Rgb {
  float r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

Rgb Sample(const ImageRecord& image, float u, float v) {
  Rgb out{};
  SampleTextureBilinear(image, u, v, &out.r, &out.g, &out.b);
  return out;
}

double Red(int column, int row) { return 250 - 30 * (row * 4 + column); }

TEST(TextureSamplingTest, CoordinatesRepeat) {
  const ImageRecord image = FourByTwo();
  struct Case {
    float u1, v1, u2, v2;
  };
  for (const Case c : {Case{-0.25f, 0.5f, 0.75f, 0.5f}, Case{0.25f, -0.5f, 0.25f, 0.5f}, Case{1.25f, 3.5f, 0.25f, 0.5f},
                       Case{-3.875f, -0.25f, 0.125f, 0.75f}}) {
    EXPECT_EQ(Sample(image, c.u1, c.v1), Sample(image, c.u2, c.v2)) << c.u1 << ", " << c.v1;
  }
  // u = -0.25 lands exactly on column 3, row 0: no blending.
  const Rgb texel = Sample(image, -0.25f, 0);
  EXPECT_EQ(texel, (Rgb{static_cast<float>(Red(3, 0) / 255), 130 / 255.0f, 13 / 255.0f}));
}

TEST(TextureSamplingTest, BilinearWeightsAreExact) {
  const ImageRecord image = FourByTwo();
  // u = 0.125 is halfway between columns 0 and 1, v = 0.75 halfway between row 1 and row 0 (wrapped).
  const Rgb halfway = Sample(image, 0.125f, 0.75f);
  EXPECT_FLOAT_EQ(halfway.r, static_cast<float>((Red(0, 1) + Red(1, 1) + Red(0, 0) + Red(1, 0)) / 4 / 255));
  // A quarter across: weights 0.75 and 0.25 on row 0.
  EXPECT_FLOAT_EQ(Sample(image, 0.0625f, 0).r, static_cast<float>((0.75 * Red(0, 0) + 0.25 * Red(1, 0)) / 255));
  // The right edge blends into the left column.
  EXPECT_FLOAT_EQ(Sample(image, 0.875f, 0).r, static_cast<float>((Red(3, 0) + Red(0, 0)) / 2 / 255));
}

TEST(TextureSamplingTest, FarCoordinatesLandWhereSteppingWouldBringThem) {
  const ImageRecord image = FourByTwo();
  // Stepping back by the width as long as the column is negative, as a plain loop would.
  const float u = -999999.3125f;
  const float x = u * 4;
  std::int64_t column = static_cast<std::int64_t>(std::floor(x));
  while (column < 0) column += 4;
  const float fraction = x - std::floor(x);
  ASSERT_EQ(fraction, 0.75f);
  EXPECT_EQ(Sample(image, u, 0), Sample(image, (static_cast<float>(column) + fraction) / 4, 0));
}

TEST(TextureSamplingTest, HugeAndNonFiniteCoordinatesSampleAPictureTexel) {
  const ImageRecord image = FourByTwo();
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Rgb origin = Sample(image, 0, 0);
  for (const float far : {-1e30f, 1e30f, inf, -inf, nan}) {
    EXPECT_EQ(Sample(image, far, 0), origin) << far;
    EXPECT_EQ(Sample(image, 0, far), origin) << far;
    float du = 1, dv = 1;
    SampleBumpGradient(image, far, far, &du, &dv);
    EXPECT_TRUE(std::isfinite(du) && std::isfinite(dv)) << far;
  }
}

TEST(TextureSamplingTest, BumpGradientBlendsCentralDifferences) {
  const ImageRecord image = FourByTwo();
  const auto brightness = [&](int column, int row) {
    column = (column % 4 + 4) % 4;
    row = (row % 2 + 2) % 2;
    const std::uint8_t* p = &image.data[row * 12 + column * 3];
    return (p[0] + p[1] + p[2]) / 765.0;
  };
  // Seeded positions all over the picture and beyond it, against a double-precision reference.
  std::mt19937 random(20);
  std::uniform_real_distribution<float> coordinate(-3, 3);
  for (int i = 0; i < 200; ++i) {
    const float u = coordinate(random), v = coordinate(random);
    const double x = static_cast<double>(u * 4), y = static_cast<double>(v * 2);
    const int c = static_cast<int>(std::floor(x)), r = static_cast<int>(std::floor(y));
    const double fx = x - c, fy = y - r;
    double du = 0, dv = 0;
    for (int j = 0; j < 2; ++j) {
      for (int k = 0; k < 2; ++k) {
        const double w = (k ? fx : 1 - fx) * (j ? fy : 1 - fy);
        du += w * (brightness(c + k + 1, r + j) - brightness(c + k - 1, r + j));
        dv += w * (brightness(c + k, r + j + 1) - brightness(c + k, r + j - 1));
      }
    }
    float gotDu, gotDv;
    SampleBumpGradient(image, u, v, &gotDu, &gotDv);
    EXPECT_NEAR(gotDu, du, 1e-6) << u << ", " << v;
    EXPECT_NEAR(gotDv, dv, 1e-6) << u << ", " << v;
  }
}

TEST(TextureSamplingTest, MappingKinds) {
  const double pi = std::numbers::pi;
  struct Case {
    int kind;
    Vector3 p;
    double u, v;
  };
  const Case cases[] = {
      {0, {5, 6, 7}, 0.1, 0.2},  // the surface's own coordinates
      {1, {0.5f, -0.5f, 9}, 0.75, 0.25},
      {2, {1, 1, -3}, std::acos(1 / std::sqrt(2.0)) * 0.5 / pi, -1},
      {2, {1, -1, 0}, 1 - std::acos(1 / std::sqrt(2.0)) * 0.5 / pi, 0.5},
      {2, {-2, 0, 1}, 0.5, 1},
      {2, {0.001f, 0.001f, 1}, 0, 1},  // on the axis
      {3, {1, 0, 1}, 0, std::asin(1 / std::sqrt(2.0)) / pi + 0.5},
      {3, {0, -1, -1}, 0.75, std::asin(-1 / std::sqrt(2.0)) / pi + 0.5},
      {3, {0.001f, 0, 0.001f}, 0, 0},  // at the centre
  };
  for (const Case& c : cases) {
    float u = 0.1f, v = 0.2f;
    MapTextureCoordinates(c.kind, c.p, &u, &v);
    EXPECT_NEAR(u, c.u, 1e-6) << c.kind << ": " << c.p.x << ", " << c.p.y << ", " << c.p.z;
    EXPECT_NEAR(v, c.v, 1e-6) << c.kind << ": " << c.p.x << ", " << c.p.y << ", " << c.p.z;
  }
}

TEST(TextureSamplingTest, PointsOnTheXAxisMapToZero) {
  // Seeded points on the +x axis and just off it: the ratio x / r is 1 or a rounding away from
  // it, and u must stay a number.
  std::mt19937 random(7);
  std::uniform_real_distribution<float> distance(0.01f, 1000);
  for (int i = 0; i < 1000; ++i) {
    const float x = distance(random);
    for (const int kind : {2, 3}) {
      float u = -1, v = -1;
      MapTextureCoordinates(kind, {x, 1e-9f * x, 0}, &u, &v);
      EXPECT_NEAR(u, 0, 1e-6) << x;
      EXPECT_FALSE(std::isnan(v)) << x;
    }
  }
}

}  // namespace

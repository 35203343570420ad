#include "render/picture_pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

namespace {

// 1 - cos of the angle between the directions (1, a) and (1, b), in double precision.
double ReferenceBend(double a, double b) { return 1 - std::cos(std::atan(b) - std::atan(a)); }

TEST(PicturePixelsTest, BendOfTwoSlopes) {
  const double t25 = std::tan(25 * std::numbers::pi / 180), t27 = std::tan(27 * std::numbers::pi / 180);
  const double finite[][2] = {{0, 0}, {1, 1}, {0, 1}, {1, -1}, {-3, 0.5}, {0, t25}, {0, t27}, {t27, 0}, {-t27, t27}};
  for (const auto& [a, b] : finite) {
    EXPECT_NEAR(Bend(static_cast<float>(a), static_cast<float>(b)), ReferenceBend(a, b), 1e-6) << a << " " << b;
  }
  // Outline value 10 (threshold 0.1) lies between the two.
  EXPECT_LT(Bend(0, static_cast<float>(t25)), 0.1f);
  EXPECT_GE(Bend(0, static_cast<float>(t27)), 0.1f);

  // Next to the -1e20 "nothing" depth the squares overflow: a step off the background gives 1,
  // and a step up and down again gives NaN. Neither may pass for white.
  struct Edge {
    float a, b;
    bool nan;
  };
  const float inf = std::numeric_limits<float>::infinity();
  const Edge edges[] = {{1e20f, 0, false}, {0, -1e20f, false}, {1e20f, -1e20f, true}, {-1e20f, 1e20f, true},
                        {inf, 0, true}, {std::nanf(""), 0, true}};
  for (const Edge& e : edges) {
    const float bend = Bend(e.a, e.b);
    EXPECT_EQ(std::isnan(bend), e.nan) << e.a << " " << e.b;
    if (!e.nan) {
      EXPECT_EQ(bend, 1.0f);
    }
    EXPECT_FALSE(bend < 0.1f);
  }
}

TEST(PicturePixelsTest, OutlinePointIsWhiteOnlyWhereNothingBends) {
  // 5 x 5 rasters, the point (1, 1) tested: it reads columns and rows 0 to 3.
  const float n = -1e20f;
  struct Case {
    const char* name;
    std::vector<float> raster;
    bool white;
  };
  const Case cases[] = {
      {"all background", std::vector<float>(25, n), true},
      {"a flat face", std::vector<float>(25, 7), true},
      {"a tilted plane", {0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1, 2, 3, 4}, true},
      {"background to the left", {n, 5, 5, 5, 5, n, 5, 5, 5, 5, n, 5, 5, 5, 5, n, 5, 5, 5, 5, n, 5, 5, 5, 5}, false},
      {"background two columns to the right",
       {5, 5, 5, n, n, 5, 5, 5, n, n, 5, 5, 5, n, n, 5, 5, 5, n, n, 5, 5, 5, n, n}, false},
      // Every bend along x is NaN here: only a test that counts NaN as a line draws it.
      {"a sliver between background columns",
       {n, 5, n, 5, 5, n, 5, n, 5, 5, n, 5, n, 5, 5, n, 5, n, 5, 5, n, 5, n, 5, 5}, false},
      {"a step two rows below", {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OutlinePointIsWhite(c.raster.data(), 5, 1, 1, 0.1f), c.white) << c.name;
  }
}

TEST(PicturePixelsTest, BandReductionTruncatesTheMean) {
  struct Case {
    int n;
    int width;
    std::vector<std::uint8_t> band;  // n rows of width pixels
    std::vector<std::uint8_t> out;
  };
  const Case cases[] = {
      // Blue sums 1+2+2+2 = 7 -> 1; green 255 x 4 -> 255; red 3+0+0+0 -> 0.
      {2, 4, {1, 255, 3, 2, 255, 0, 10, 20, 30, 11, 21, 31,  //
              2, 255, 0, 2, 255, 0, 12, 22, 32, 13, 23, 33},
       {1, 255, 0, 11, 21, 31}},
      // One block of nine: 8 x 100 + 99 = 899 -> 99; an odd pixel past the last block is dropped.
      {3, 4, {100, 0, 255, 100, 0, 255, 100, 0, 255, 7, 7, 7,  //
              100, 0, 255, 100, 0, 255, 100, 0, 255, 7, 7, 7,  //
              100, 0, 255, 100, 0, 254, 99, 1, 255, 7, 7, 7},
       {99, 0, 254}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> out(c.out.size(), 0xEE);
    ReduceBand(c.band.data(), c.width, c.n, out.data());
    EXPECT_EQ(out, c.out) << "n = " << c.n;
  }
}

TEST(PicturePixelsTest, ResolutionRoundsHalfUpAndStaysInItsField) {
  EXPECT_EQ(PictureResolution(1.0, 600), 12000);
  EXPECT_EQ(PictureResolution(static_cast<float>(1.26), 3), 76);  // 75.6 rounds up
  EXPECT_EQ(PictureResolution(0.001, 10), 0);                    // 0.2 + 0.5 truncates
  EXPECT_EQ(PictureResolution(1000.0, 10000000), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(PictureResolution(-1000.0, 10000000), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(PictureResolution(std::nan(""), 10), 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "kernel/polyline_resample.h"
#include "program_state.h"

namespace {

class PolylineResampleTest : public LumidrexTest {};

const Vector3 kUnset{std::numeric_limits<float>::quiet_NaN(), 0, 0};

TEST_F(PolylineResampleTest, SpacesPointsEquallyByArcLength) {
  const Vector3 line[] = {{0, 0, 0}, {10, 0, 0}};
  Vector3 out[3];
  ResamplePolyline(line, out, 2, 3);
  EXPECT_EQ(out[0], Vector3(0, 0, 0));
  EXPECT_EQ(out[1], Vector3(5, 0, 0));
  EXPECT_EQ(out[2], Vector3(10, 0, 0));

  // Around a corner: 4 along x, then 4 along y, at a spacing of 2.
  const Vector3 corner[] = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}};
  Vector3 bent[5];
  ResamplePolyline(corner, bent, 3, 5);
  const Vector3 expected[] = {{0, 0, 0}, {2, 0, 0}, {4, 0, 0}, {4, 2, 0}, {4, 4, 0}};
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(bent[k].x, expected[k].x, 1e-5f) << k;
    EXPECT_NEAR(bent[k].y, expected[k].y, 1e-5f) << k;
  }
}

TEST_F(PolylineResampleTest, DegenerateInputsFinish) {
  const Vector3 still[] = {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}};
  const Vector3 line[] = {{0, 0, 0}, {10, 0, 0}};
  struct Case {
    const char* name;
    const Vector3* points;
    int n, m;
    int written;       // slots written from the start of out
    Vector3 expected;  // what each written slot holds
  } const kCases[] = {
      {"zero length", still, 3, 4, 4, {1, 2, 3}}, {"one point", still, 1, 3, 3, {1, 2, 3}},
      {"one slot", line, 2, 1, 1, {0, 0, 0}},     {"no slots", line, 2, 0, 0, {}},
      {"no points", line, 0, 3, 0, {}},
  };
  for (const Case& c : kCases) {
    Vector3 out[5] = {kUnset, kUnset, kUnset, kUnset, kUnset};
    ResamplePolyline(c.points, out, c.n, c.m);
    for (int k = 0; k < 5; ++k) {
      if (k < c.written) {
        EXPECT_EQ(out[k], c.expected) << c.name << " slot " << k;
      } else {
        EXPECT_TRUE(std::isnan(out[k].x)) << c.name << " slot " << k << " was written";
      }
    }
  }
}

TEST_F(PolylineResampleTest, LongPolylineFillsExactlyItsSlots) {
  // 1000 uneven segments along a straight line, so every point's place is known.
  constexpr int kPoints = 1001;
  std::vector<Vector3> line(kPoints);
  for (int i = 0; i < kPoints; ++i) line[i] = {i + 0.3f * std::sin(static_cast<float>(i)), 0, 0};
  for (int m : {2 * kPoints - 1, 7, 2}) {
    // A heap block of exactly m slots, so the sanitizer sees any write beyond it.
    auto out = std::make_unique<Vector3[]>(static_cast<std::size_t>(m));
    for (int k = 0; k < m; ++k) out[k] = kUnset;
    ResamplePolyline(line.data(), out.get(), kPoints, m);
    const float spacing = line.back().x / static_cast<float>(m - 1);
    for (int k = 0; k < m; ++k) {
      ASSERT_FALSE(std::isnan(out[k].x)) << "m=" << m << " slot " << k;
      EXPECT_NEAR(out[k].x, k * spacing, 1e-3f) << "m=" << m << " slot " << k;
    }
    EXPECT_EQ(out[0], line.front());
  }
}

}  // namespace

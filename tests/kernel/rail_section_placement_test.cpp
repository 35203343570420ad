#include "kernel/rail_section_placement.h"

#include <gtest/gtest.h>

#include <vector>

#include "program_state.h"

namespace {

class RailPlacementTest : public LumidrexTest {};

void ExpectNear(Vector3 actual, Vector3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

std::vector<Vector3> Shifted(const std::vector<Vector3>& rail, Vector3 by) {
  std::vector<Vector3> out;
  for (const Vector3& p : rail) out.push_back(VecAdd(p, by));
  return out;
}

struct Rails {
  std::vector<Vector3> A, B, W, H;
};

// Places the local axes x, y and z at every rail index; returns the placed points.
std::vector<Vector3> PlaceAxes(const Rails& rails, int b, int useThirdRail, int a = 1) {
  const std::size_t n = rails.A.size();
  std::vector<Vector3> grid;
  for (std::size_t i = 0; i < n; ++i) grid.insert(grid.end(), {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  PlaceSectionsAlongPathC(grid.data(), static_cast<int>(n), 3, 0, rails.A.data(), rails.B.data(),
                          rails.W.empty() ? nullptr : rails.W.data(),
                          rails.H.empty() ? nullptr : rails.H.data(), a, b, useThirdRail);
  return grid;
}

const std::vector<Vector3> kStraightA = {{0, 0, 0}, {0, 0, 5}, {0, 0, 10}};

TEST_F(RailPlacementTest, StraightParallelRails) {
  const Rails rails{kStraightA, Shifted(kStraightA, {1, 0, 0}), {}, {}};
  const auto grid = PlaceAxes(rails, 0, 0);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    Vector3 normal;
    RailNormalAt(&normal, rails.A.data(), rails.B.data(), i, 3, 0);
    ExpectNear(normal, {0, -1, 0});
    ExpectNear(grid[3 * i], VecAdd(rails.A[i], {1, 0, 0}));
    ExpectNear(grid[3 * i + 1], VecAdd(rails.A[i], {0, -1, 0}));
    ExpectNear(grid[3 * i + 2], VecAdd(rails.A[i], {0, 0, -1}));
  }
}

// Where the rails touch, the row collapses onto the line through the origin along the normal.
// A divisor below 1 places as 1 does, never rows of infinities.
TEST_F(RailPlacementTest, DivisorsBelowOneCountAsOne) {
  const Rails rails{kStraightA, Shifted(kStraightA, {2, 0, 1}), {}, {}};
  const auto expected = PlaceAxes(rails, 1, 0);
  for (const int a : {0, -1, -1000}) {
    SCOPED_TRACE(a);
    EXPECT_EQ(PlaceAxes(rails, 1, 0, a), expected);
  }
}

TEST_F(RailPlacementTest, TouchingRailsCollapseTheRow) {
  Rails rails{kStraightA, Shifted(kStraightA, {1, 0, 0}), {}, {}};
  rails.B[1] = rails.A[1];
  const auto grid = PlaceAxes(rails, 0, 0);
  Vector3 normal;
  RailNormalAt(&normal, rails.A.data(), rails.B.data(), 1, 3, 0);
  ExpectNear(normal, {0, -1, 0});
  EXPECT_EQ(grid[3], rails.A[1]);
  ExpectNear(grid[4], VecAdd(rails.A[1], normal));
  EXPECT_EQ(grid[5], rails.A[1]);
}

// The end indices of open rails repeat their end point as neighbour: a one-sided difference.
TEST_F(RailPlacementTest, OpenEndsUseOneSidedDifferences) {
  const std::vector<Vector3> A = {{0, 0, 0}, {0, 1, 1}, {0, 1, 3}};
  const std::vector<Vector3> B = Shifted(A, {1, 0, 0});
  Vector3 first, last;
  RailNormalAt(&first, A.data(), B.data(), 0, 3, 0);
  RailNormalAt(&last, A.data(), B.data(), 2, 3, 0);
  const float h = 0.70710678f;
  ExpectNear(first, {0, -h, h});
  ExpectNear(last, {0, -1, 0});

  // Closed, the first index takes the last point as its previous neighbour.
  Vector3 wrapped;
  RailNormalAt(&wrapped, A.data(), B.data(), 0, 3, 1);
  ExpectNear(wrapped, {0, 1, 0});
}

TEST_F(RailPlacementTest, NegativeModeKeepsTheSectionSize) {
  const Rails rails{kStraightA, Shifted(kStraightA, {3, 0, 0}), {}, {}};
  const auto grid = PlaceAxes(rails, -1, 0);
  for (int i = 0; i < 3; ++i) {
    ExpectNear(grid[3 * i], VecAdd(rails.A[i], {1, 0, 0}));
    ExpectNear(grid[3 * i + 1], VecAdd(rails.A[i], {0, -1, 0}));
    ExpectNear(grid[3 * i + 2], VecAdd(rails.A[i], {0, 0, -1}));
  }
  // Mode 1 scales the normal by the gap; mode 0 keeps it unit.
  const auto scaled = PlaceAxes(rails, 1, 0);
  ExpectNear(scaled[1], {0, -3, 0});
  ExpectNear(scaled[2], {0, 0, -3});
  ExpectNear(PlaceAxes(rails, 0, 0)[1], {0, -1, 0});
}

// A third rail sets the section's height above the origin, a fourth its base; the flag turns
// the normal toward the third rail, and without a third rail it changes nothing.
TEST_F(RailPlacementTest, ThirdAndFourthRails) {
  const Rails base{kStraightA, Shifted(kStraightA, {1, 0, 0}), {}, {}};
  const Rails third{kStraightA, base.B, Shifted(kStraightA, {0, -2, 0}), {}};
  const Rails fourth{kStraightA, base.B, Shifted(kStraightA, {0, -3, 0}),
                     Shifted(kStraightA, {0, -1, 0})};
  const Rails leaning{kStraightA, base.B, Shifted(kStraightA, {0.5f, 0, 2}), {}};

  EXPECT_EQ(PlaceAxes(base, 0, 1), PlaceAxes(base, 0, 0));
  const auto withThird = PlaceAxes(third, 0, 0);
  const auto withFourth = PlaceAxes(fourth, 0, 0);
  const auto turned = PlaceAxes(leaning, 0, 1);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    ExpectNear(withThird[3 * i + 1], third.W[i]);
    ExpectNear(withFourth[3 * i], VecAdd(fourth.H[i], {1, 0, 0}));
    ExpectNear(withFourth[3 * i + 1], fourth.W[i]);
    ExpectNear(turned[3 * i + 1], VecAdd(kStraightA[i], {0, 0, 2}));
  }
}

// With no rail points no row is placed: a grid handed in stays as it was, and none is needed.
TEST_F(RailPlacementTest, NoRailPointsPlaceNothing) {
  std::vector<Vector3> grid = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  const std::vector<Vector3> before = grid;
  const Vector3 rail[1] = {{10, 10, 10}};
  for (const int closed : {0, 1}) {
    PlaceSectionsAlongPathC(grid.data(), 0, 3, closed, rail, rail, rail, rail, 1, 0, 1);
    EXPECT_EQ(grid, before);
  }
  PlaceSectionsAlongPathC(nullptr, 0, 3, 1, nullptr, nullptr, nullptr, nullptr, 1, 0, 0);
}

}  // namespace

#include "kernel/section_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "kernel/matrix4.h"
#include "kernel/solid_profile_points.h"
#include "program_state.h"

namespace {

class SectionPlacementTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SweepReferenceMatrix = kIdentityMatrix;  // reference +z, fallback -x
  }
};

using Placement = void (*)(int, int, int, Vector3*, const Vector3*);

struct Operation {
  const char* name;
  Placement place;
};

const Operation kOperations[] = {
    {"carried", PlaceSectionsAlongPath},
    {"fixed", PlaceSectionsAlongPathB},
    {"reference", PlaceSectionsAlongPathWithReference},
};

// The local axes x, y and z as a section, repeated for every path point.
const std::vector<Vector3> kAxes = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

std::vector<Vector3> PlaceAxes(Placement place, const std::vector<Vector3>& path, int closed) {
  std::vector<Vector3> grid;
  for (std::size_t i = 0; i < path.size(); ++i) grid.insert(grid.end(), kAxes.begin(), kAxes.end());
  place(3, static_cast<int>(path.size()), closed, grid.data(), path.data());
  return grid;
}

// The placed image of local axis j in row r, relative to the row's vertex.
Vector3 Axis(const std::vector<Vector3>& grid, int row, int j, Vector3 vertex) {
  return VecSub(grid[static_cast<std::size_t>(row) * 3 + static_cast<std::size_t>(j)], vertex);
}

float Length(Vector3 v) { return std::sqrt(VecDot(v, v)); }

void ExpectNear(Vector3 actual, Vector3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

// A path along the reference direction takes the fallback: x lands on -x and y on -y, and the
// carried frames keep it.
TEST_F(SectionPlacementTest, PathAlongTheReferenceUsesTheFallback) {
  const std::vector<Vector3> path = {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}};
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    const auto grid = PlaceAxes(op.place, path, 0);
    for (int r = 0; r < 3; ++r) {
      ExpectNear(Axis(grid, r, 0, path[r]), {-1, 0, 0});
      ExpectNear(Axis(grid, r, 1, path[r]), {0, -1, 0});
      ExpectNear(Axis(grid, r, 2, path[r]), {0, 0, 1});
    }
  }
}

TEST_F(SectionPlacementTest, RepeatedSecondPointSharesTheFirstFrame) {
  const std::vector<Vector3> path = {{0, 0, 0}, {0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    const auto grid = PlaceAxes(op.place, path, 0);
    for (int j = 0; j < 3; ++j) EXPECT_EQ(grid[3 + j], grid[j]);
    ExpectNear(Axis(grid, 0, 0, path[0]), {0, 0, 1});
    ExpectNear(Axis(grid, 0, 1, path[0]), {0, -1, 0});
    ExpectNear(Axis(grid, 0, 2, path[0]), {1, 0, 0});
  }
}

TEST_F(SectionPlacementTest, ClosedPathEndsExactlyOnItsFirstRow) {
  const std::vector<Vector3> path = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {0, 0, 0}};
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    const auto grid = PlaceAxes(op.place, path, 1);
    for (int j = 0; j < 3; ++j) EXPECT_EQ(grid[12 + j], grid[j]);
    EXPECT_NE(grid[9], grid[0]);
  }
}

// Y at a right-angle corner: the mitre scale √2 where the corner point is doubled; where it is
// not, only the reference operation scales it, by the blend 3/(c + 2) = 1.5.
TEST_F(SectionPlacementTest, RightAngleScalesTheSectionWidth) {
  const std::vector<Vector3> doubled = {{0, 0, 0}, {10, 0, 0}, {10, 0, 0}, {10, 10, 0}};
  const std::vector<Vector3> single = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
  const float smoothScale[] = {1.0f, 1.0f, 1.5f};
  for (int o = 0; o < 3; ++o) {
    SCOPED_TRACE(kOperations[o].name);
    const auto sharp = PlaceAxes(kOperations[o].place, doubled, 0);
    EXPECT_NEAR(Length(Axis(sharp, 1, 1, doubled[1])), std::sqrt(2.0f), 1e-5f);
    EXPECT_EQ(sharp[6 + 1], sharp[3 + 1]);
    EXPECT_NEAR(Length(Axis(sharp, 1, 0, doubled[1])), 1.0f, 1e-5f);

    const auto smooth = PlaceAxes(kOperations[o].place, single, 0);
    EXPECT_NEAR(Length(Axis(smooth, 1, 1, single[1])), smoothScale[o], 1e-5f);
  }
}

// A zig-zag whose turns put the next point on the previous vertex's cross-section (135 degrees):
// the carried section keeps its size at every vertex, and at such a turn the previous axis is
// carried across.
TEST_F(SectionPlacementTest, CarriedSectionKeepsItsSizeAlongAZigZag) {
  const std::vector<Vector3> path = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {10, 10, 0}, {0, 20, 0}};
  const auto grid = PlaceAxes(PlaceSectionsAlongPath, path, 0);
  for (int r = 0; r < 5; ++r) {
    SCOPED_TRACE(testing::Message() << "row " << r);
    EXPECT_NEAR(Length(Axis(grid, r, 0, path[r])), 1.0f, 1e-5f);
    EXPECT_NEAR(Length(Axis(grid, r, 1, path[r])), 1.0f, 1e-5f);
  }
  // At (10, 0, 0) the path turns to (0, 1, 0); x was carried from the start's (0, 0, 1).
  ExpectNear(Axis(grid, 1, 0, path[1]), {0, 0, 1});
  ExpectNear(Axis(grid, 1, 1, path[1]), {1, 0, 0});
}

// Exact reversals leave no direction to build a frame from: the placement still finishes and
// the turning row collapses onto its vertex.
TEST_F(SectionPlacementTest, ExactUTurnsFinish) {
  const std::vector<Vector3> turns[] = {
      {{0, 0, 0}, {10, 0, 0}, {0, 0, 0}},
      {{0, 0, 0}, {10, 0, 0}, {10, 0, 0}, {0, 0, 0}},
      {{0, 0, 0}, {0, 0, 10}, {0, 0, 0}},
  };
  for (const Operation& op : kOperations) {
    for (const auto& path : turns) {
      SCOPED_TRACE(testing::Message() << op.name << ", " << path.size() << " points");
      const auto grid = PlaceAxes(op.place, path, 0);
      for (int j = 0; j < 3; ++j) EXPECT_EQ(grid[3 + j], path[1]);
    }
  }
}

TEST_F(SectionPlacementTest, CoincidentPathsCollapseOntoThePoint) {
  const Vector3 p{5, -2, 7};
  for (const Operation& op : kOperations) {
    for (const int closed : {0, 1}) {
      for (const int a : {1, 3}) {
        SCOPED_TRACE(testing::Message() << op.name << ", closed " << closed << ", " << a);
        const std::vector<Vector3> path(static_cast<std::size_t>(a), p);
        const auto grid = PlaceAxes(op.place, path, closed);
        for (const Vector3& q : grid) EXPECT_EQ(q, p);
      }
    }
    std::vector<Vector3> grid = kAxes;
    op.place(3, 0, 0, grid.data(), nullptr);
    EXPECT_EQ(grid, kAxes);
  }
}

TEST_F(SectionPlacementTest, SolidProfileMovesEachVertexWithinItsPlane) {
  const std::vector<Vector3> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  Matrix4 reference = kIdentityMatrix;
  reference[12] = 42;  // not read by the placement, but kept
  const auto moved = BuildSolidProfilePoints(square.data(), 4, 1, 1.0f, reference);
  EXPECT_EQ(SweepReferenceMatrix, reference);
  ASSERT_EQ(moved.size(), 4u);
  const float d = 1.5f / std::sqrt(2.0f);
  const Vector3 expected[] = {{-d, -d, 0}, {1 + d, -d, 0}, {1 + d, 1 + d, 0}, {-d, 1 + d, 0}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    ExpectNear(moved[i], expected[i]);
    EXPECT_NEAR(Length(VecSub(moved[i], square[i])), 1.5f, 1e-5f);
  }

  const Vector3 lone{3, 4, 5};
  EXPECT_EQ(BuildSolidProfilePoints(&lone, 1, 1, 2.0f, kIdentityMatrix),
            std::vector<Vector3>{lone});
  EXPECT_TRUE(BuildSolidProfilePoints(nullptr, 0, 1, 2.0f, kIdentityMatrix).empty());
}

}  // namespace

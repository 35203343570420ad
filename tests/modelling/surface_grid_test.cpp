#include "modelling/surface_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "curve_fixture.h"
#include "kernel/surface_object.h"
#include "modelling/surface_commands.h"

namespace {

// The unit square around (5, 7), counter-clockwise seen from +z, at z = 3 and z = 4.
std::vector<Vector3> Square(float z) { return {{5, 7, z}, {6, 7, z}, {6, 8, z}, {5, 8, z}}; }

struct Grid {
  std::vector<Vector3> points;
  int rows;
  int columns;
  int closedU;
  int closedV;
};

// The prism with one row per square corner (closed U), the two levels along V.
Grid PrismByCorners(bool reversed) {
  std::vector<Vector3> bottom = Square(3), top = Square(4);
  if (reversed) {
    std::reverse(bottom.begin(), bottom.end());
    std::reverse(top.begin(), top.end());
  }
  Grid grid{{}, 4, 2, 1, 0};
  for (int k = 0; k < 4; ++k) grid.points.insert(grid.points.end(), {bottom[k], top[k]});
  return grid;
}

// The same prism with one row per level (closed V).
Grid PrismByLevels() {
  Grid grid{Square(3), 2, 4, 0, 1};
  const std::vector<Vector3> top = Square(4);
  grid.points.insert(grid.points.end(), top.begin(), top.end());
  return grid;
}

float Volume(const Grid& g) { return ComputeGridVolume(g.points.data(), g.rows, g.columns, g.closedU, g.closedV); }

TEST(SurfaceGridTest, VolumeOfCappedPrismsHasTheOrientationSign) {
  // Area 1 times height 1, whichever way the caps close it.
  EXPECT_NEAR(Volume(PrismByCorners(false)), 1.0f, 1e-4f);
  EXPECT_NEAR(Volume(PrismByCorners(true)), -1.0f, 1e-4f);
  EXPECT_NEAR(Volume(PrismByLevels()), -1.0f, 1e-4f);
  // Open in both: three walls, no caps. A planar face adds area x (normal . point) / 3 about the
  // origin: -7/3 + 6/3 + 8/3.
  Grid open = PrismByCorners(false);
  open.closedU = 0;
  EXPECT_NEAR(Volume(open), 7.0f / 3.0f, 1e-4f);
}

TEST(SurfaceGridTest, NormalAndCentroidOfPolygons) {
  const std::vector<Vector3> square{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  EXPECT_EQ(ComputePolygonNormal(4, square.data()), (Vector3{0, 0, 2}));

  struct Case {
    const char* name;
    std::vector<Vector3> polygon;
    int a;
    int b;
    Vector3 centroid;
  };
  const Case cases[] = {
      {"right triangle", {{0, 0, 0}, {3, 0, 0}, {0, 3, 0}}, 0, 1, {1, 1, 0}},
      // Concave: an L of area 3, the fan's triangles of both signs.
      {"L shape", {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}, {1, 2, 0}, {0, 2, 0}}, 0, 1, {2.5f / 3, 2.5f / 3, 0}},
      {"triangle in x and z", {{0, 5, 0}, {0, 5, 3}, {3, 5, 0}}, 0, 2, {1, 5, 1}},
      // No area: the plain average.
      {"collinear", {{0, 0, 0}, {1, 1, 0}, {3, 3, 0}}, 0, 1, {4.0f / 3, 4.0f / 3, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectNear(ComputeGridCentroid(c.polygon.data(), static_cast<int>(c.polygon.size()), c.a, c.b), c.centroid);
  }
}

TEST(SurfaceGridTest, DominantAxisBreaksTiesTowardsTheLaterAxis) {
  struct Case {
    Vector3 normal;
    int axis;
  };
  const Case cases[] = {{{2, 1, 0}, 0}, {{1, 1, 0}, 1}, {{-1, 1, 0}, 1}, {{0, 1, 1}, 2}, {{1, 0, -1}, 2}, {{0, 0, 0}, 2}};
  for (const Case& c : cases) EXPECT_EQ(DominantAxis(c.normal), c.axis) << c.normal.x << " " << c.normal.y;
  EXPECT_EQ(SectionAxes(0, 0), (std::array<int, 3>{1, 2, 0}));
  EXPECT_EQ(SectionAxes(1, 0), (std::array<int, 3>{0, 2, 1}));
  EXPECT_EQ(SectionAxes(2, 1), (std::array<int, 3>{1, 0, 2}));
}

class SurfaceGridSceneTest : public CurveTest {};

TEST_F(SurfaceGridSceneTest, CylinderIsOutwardAndItsReversalInward) {
  MakeCylinderSurface();
  auto* cylinder = static_cast<CSurfaceObject*>(Objects().back());
  Grid grid{cylinder->points, 6, 2, 1, 0};
  EXPECT_GT(Volume(grid), 0.0f);
  for (int k = 0; k < 3; ++k) {
    std::swap(grid.points[2 * k], grid.points[2 * (5 - k)]);
    std::swap(grid.points[2 * k + 1], grid.points[2 * (5 - k) + 1]);
  }
  EXPECT_LT(Volume(grid), 0.0f);
}

TEST_F(SurfaceGridSceneTest, FlatExtendStillGetsASign) {
  CCurveObject* curve = AddCurve({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
  Matrix4 along = kIdentityMatrix;
  along[12] = 1;
  CSurfaceObject* flat = ExtendCurveToSurface(curve, 3, along);
  ASSERT_NE(flat, nullptr);
  EXPECT_EQ(std::abs(flat->orientationSign), 1);
  // Fewer than two rows is no surface.
  EXPECT_EQ(ExtendCurveToSurface(AddCurve({{0, 0, 0}, {1, 0, 0}}), 1, along), nullptr);
}

}  // namespace

#include "modelling/surface_offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "kernel/mesh_object.h"
#include "surface_fixture.h"

namespace {

using SurfaceOffsetTest = SurfaceTest;

std::vector<CSurfaceObject*> SelectedSurfaces() {
  std::vector<CSurfaceObject*> surfaces;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, kKindSurface)) {
    surfaces.push_back(static_cast<CSurfaceObject*>(object));
  }
  return surfaces;
}

struct Double3 {
  double x, y, z;
};
Double3 Minus(Vector3 a, Vector3 b) { return {double{a.x} - b.x, double{a.y} - b.y, double{a.z} - b.z}; }
double Dot(Double3 a, Double3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Length(Double3 a) { return std::sqrt(Dot(a, a)); }

const std::vector<Vector3> kFlat = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}};

TEST_F(SurfaceOffsetTest, OutsideFollowsTheOrientation) {
  for (const int sign : {1, -1}) {
    ResetProgramState();
    SetUp();
    CSurfaceObject* source = AddSurface(2, 2, kFlat);
    source->orientationSign = sign;
    DoOffsetSurface(1.0f, 1);
    const std::vector<CSurfaceObject*> selected = SelectedSurfaces();
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0], source);
    EXPECT_EQ(source->points, kFlat);
    for (std::size_t i = 0; i < kFlat.size(); ++i) {
      ExpectNear(selected[1]->points[i], {kFlat[i].x, kFlat[i].y, static_cast<float>(sign)});
    }
  }
}

TEST_F(SurfaceOffsetTest, BothSidesMoveEveryPointByTheDistanceAcrossTheSurface) {
  constexpr int kRows = 4;
  constexpr int kColumns = 5;
  const std::vector<Vector3> grid = WavyGrid(kRows, kColumns);
  AddSurface(kRows, kColumns, grid);
  DoOffsetSurface(0.75f, 0);
  const std::vector<CSurfaceObject*> selected = SelectedSurfaces();
  ASSERT_EQ(selected.size(), 3u);
  const auto at = [](int r, int c) { return r * kColumns + c; };
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      const Vector3 p = grid[at(r, c)];
      const Double3 outside = Minus(selected[1]->points[at(r, c)], p);
      const Double3 inside = Minus(selected[2]->points[at(r, c)], p);
      EXPECT_NEAR(Length(outside), 0.75, 1e-5);
      EXPECT_NEAR(Dot(outside, inside), -0.75 * 0.75, 1e-5);
      // Across the chords to the neighbours in both directions: the grid's points are distinct.
      const Double3 alongRow = Minus(grid[at(r, c == kColumns - 1 ? c : c + 1)], grid[at(r, c == 0 ? 0 : c - 1)]);
      const Double3 downColumn = Minus(grid[at(r == kRows - 1 ? r : r + 1, c)], grid[at(r == 0 ? 0 : r - 1, c)]);
      if (c == 0 || c == kColumns - 1) {
        EXPECT_NEAR(Dot(outside, alongRow) / Length(alongRow), 0.0, 1e-5);
      }
      if (r == 0 || r == kRows - 1) {
        EXPECT_NEAR(Dot(outside, downColumn) / Length(downColumn), 0.0, 1e-5);
      }
    }
  }
}

TEST_F(SurfaceOffsetTest, ACollapsedRowStillGetsUnitNormals) {
  std::vector<Vector3> grid = {{0, 0, 2}, {0, 0, 2}, {0, 0, 2}, {1, 0, 1}, {0, 1, 1}, {-1, 0, 1},
                               {2, 0, 0}, {0, 2, 0}, {-2, 0, 0}};
  const CSurfaceObject* source = AddSurface(3, 3, grid);
  const std::vector<Vector3> normals = SurfaceControlNormals(*source);
  ASSERT_EQ(normals.size(), grid.size());
  for (const Vector3& n : normals) {
    EXPECT_TRUE(IsFiniteVector(n));
    EXPECT_NEAR(std::sqrt(double{n.x} * n.x + double{n.y} * n.y + double{n.z} * n.z), 1.0, 1e-5);
  }
}

TEST_F(SurfaceOffsetTest, CurvesMeshesAndSingleColumnSurfacesAreIgnored) {
  AddCurve({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  auto mesh = std::make_unique<CMeshObject>();
  AddObject(mesh, 1);
  auto thin = std::make_unique<CSurfaceObject>();
  thin->rows = 3;
  thin->columns = 1;
  thin->SetPoints(3, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
  AddObject(thin, 1);
  const std::size_t before = Objects().size();
  DoOffsetSurface(1.0f, 0);
  EXPECT_EQ(Objects().size(), before);
}

}  // namespace

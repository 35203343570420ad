#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bspline_reference.h"
#include "kernel/bspline_curve.h"
#include "kernel/surface_tessellation.h"
#include "program_state.h"

namespace {

class SurfaceTessellationTest : public LumidrexTest {};

// A gently curved rows x cols grid; U (rows) along x, V (columns) along y, coordinates up to ~10.
std::vector<Vector3> CurvedGrid(int rows, int cols) {
  std::vector<Vector3> grid;
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < cols; ++j) {
      grid.push_back(
          {2.0f * i + 0.3f * j, 1.5f * j, std::sin(0.9f * i) + 0.5f * std::cos(1.3f * j)});
    }
  }
  return grid;
}

struct Net {
  std::vector<Vector3> points;
  int rows = 0, cols = 0;
};

Net Extend(const std::vector<Vector3>& grid, int rows, int cols, int closedU = 0) {
  Net net;
  ExtendSurfaceNet(grid.data(), rows, cols, 0, 0, closedU, 0, 0, 0, &net.points, &net.rows,
                   &net.cols);
  return net;
}

struct Tessellation {
  std::vector<Vector3> points, tangentU, tangentV;
  int rows = -1, cols = -1;
  Vector3 At(int r, int c) const { return points[static_cast<std::size_t>(r * cols + c)]; }
  Vector3 TU(int r, int c) const { return tangentU[static_cast<std::size_t>(r * cols + c)]; }
  Vector3 TV(int r, int c) const { return tangentV[static_cast<std::size_t>(r * cols + c)]; }
};

Tessellation Tessellate(const Net& net, int stepsU, int stepsV, int wantTangents = 1) {
  Tessellation t;
  TessellateSurface(kBSplineBasis, net.points.data(), net.rows, net.cols, &t.points, &t.tangentU,
                    &t.tangentV, &t.rows, &t.cols, stepsU, stepsV, wantTangents);
  return t;
}

TEST_F(SurfaceTessellationTest, OpenGridReachesItsCornerPoints) {
  const std::vector<Vector3> grid = CurvedGrid(4, 4);
  const Net net = Extend(grid, 4, 4);
  ASSERT_EQ(net.rows, 6);
  ASSERT_EQ(net.cols, 6);
  const Tessellation t = Tessellate(net, 8, 8);
  ASSERT_EQ(t.rows, 25);
  ASSERT_EQ(t.cols, 25);
  ASSERT_EQ(t.points.size(), 625u);
  ASSERT_EQ(t.tangentU.size(), 625u);
  const float tolerance = 1e-5f;  // about 1e-6 of the largest coordinate
  ExpectNear(t.At(0, 0), grid[0], tolerance, "corner 0,0");
  ExpectNear(t.At(0, 24), grid[3], tolerance, "corner 0,3");
  ExpectNear(t.At(24, 0), grid[12], tolerance, "corner 3,0");
  ExpectNear(t.At(24, 24), grid[15], tolerance, "corner 3,3");

  // Without tangents only the points are made.
  const Tessellation bare = Tessellate(net, 8, 8, 0);
  EXPECT_EQ(bare.points, t.points);
  EXPECT_TRUE(bare.tangentU.empty());
  EXPECT_TRUE(bare.tangentV.empty());
}

TEST_F(SurfaceTessellationTest, ExtensionFollowsTheCurveRulePerDirection) {
  const std::vector<Vector3> grid = CurvedGrid(5, 4);
  Net net;
  // Closed U, open V with a free start: 5 + 3 rows, 4 + 1 columns.
  ExtendSurfaceNet(grid.data(), 5, 4, 0, 0, 1, 1, 0, 0, &net.points, &net.rows, &net.cols);
  ASSERT_EQ(net.rows, 8);
  ASSERT_EQ(net.cols, 5);
  const auto P = [&](int i, int j) { return grid[static_cast<std::size_t>(i * 4 + j)]; };
  const auto E = [&](int r, int c) {
    return net.points[static_cast<std::size_t>(r * net.cols + c)];
  };
  // Extended row 1 is control row 0 with its back phantom; row 0 wraps to the last control row,
  // rows 6 and 7 to the first two.
  EXPECT_EQ(E(1, 0), P(0, 0));
  EXPECT_EQ(E(1, 4), VecSub(VecScale(P(0, 3), 2), P(0, 2)));
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(E(0, c), E(5, c)) << c;
    EXPECT_EQ(E(6, c), E(1, c)) << c;
    EXPECT_EQ(E(7, c), E(2, c)) << c;
  }

  // Closed in U: the first and last output rows coincide.
  const Tessellation t = Tessellate(net, 4, 4);
  ASSERT_EQ(t.rows, 4 * 5 + 1);
  for (int c = 0; c < t.cols; ++c)
    ExpectNear(t.At(t.rows - 1, c), t.At(0, c), 1e-5f, std::to_string(c));

  // A single row or column cannot be extended.
  for (const auto& [rows, cols] : {std::pair{1, 5}, std::pair{5, 1}, std::pair{0, 0}}) {
    Net none{{Vector3()}, 9, 9};
    ExtendSurfaceNet(grid.data(), rows, cols, 0, 0, 1, 0, 0, 1, &none.points, &none.rows,
                     &none.cols);
    EXPECT_TRUE(none.points.empty());
    EXPECT_EQ(none.rows, 0);
    EXPECT_EQ(none.cols, 0);
  }
}

TEST_F(SurfaceTessellationTest, AnalyticTangentsMatchDifferencesOfThePoints) {
  const Net net = Extend(CurvedGrid(5, 6), 5, 6);
  constexpr int kSteps = 16;
  const Tessellation t = Tessellate(net, kSteps, kSteps);
  for (int r = 1; r + 1 < t.rows; r += 5) {
    for (int c = 1; c + 1 < t.cols; c += 7) {
      const Vector3 du = VecScale(VecSub(t.At(r + 1, c), t.At(r - 1, c)), kSteps / 2.0f);
      const Vector3 dv = VecScale(VecSub(t.At(r, c + 1), t.At(r, c - 1)), kSteps / 2.0f);
      const std::string where = std::to_string(r) + "," + std::to_string(c);
      ExpectNear(t.TU(r, c), du, 2e-2f, "U " + where);
      ExpectNear(t.TV(r, c), dv, 2e-2f, "V " + where);
    }
  }
}

TEST_F(SurfaceTessellationTest, RefinedMethodKeepsTheNetLinesOfUnsteppedDirections) {
  const std::vector<Vector3> grid = CurvedGrid(4, 5);
  const Net net = Extend(grid, 4, 5);

  const Tessellation control = Tessellate(net, 0, 0);
  ASSERT_EQ(control.rows, 4);
  ASSERT_EQ(control.cols, 5);
  EXPECT_EQ(control.points, grid);

  // Rows kept, each smoothed along V exactly as a curve.
  const Tessellation alongV = Tessellate(net, 0, 4);
  ASSERT_EQ(alongV.rows, 4);
  ASSERT_EQ(alongV.cols, 4 * 4 + 1);
  for (int r = 0; r < 4; ++r) {
    const std::vector<Vector3> curve =
        EvaluateCurvePoints(&net.points[static_cast<std::size_t>((r + 1) * net.cols)], net.cols, 4);
    EXPECT_EQ(std::vector<Vector3>(alongV.points.begin() + r * alongV.cols,
                                   alongV.points.begin() + (r + 1) * alongV.cols),
              curve)
        << r;
  }

  // Columns kept, each smoothed along U; negative steps count as 1.
  const Tessellation alongU = Tessellate(net, 3, -2);
  ASSERT_EQ(alongU.rows, 3 * 3 + 1);
  ASSERT_EQ(alongU.cols, 5);
}

// A 5 x 5 grid, linear along both directions with a bilinear z, so every refined point and
// tangent is known: output (r, c) at (2r, 1.5c, r c / 2) for steps 0 x 2.
TEST_F(SurfaceTessellationTest, RefinedBorderTangentsAreOneSidedPerStep) {
  std::vector<Vector3> grid;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 5; ++j) grid.push_back({2.0f * i, 3.0f * j, static_cast<float>(i * j)});
  }
  const Net net = Extend(grid, 5, 5);
  const Tessellation t = Tessellate(net, 0, 2);
  ASSERT_EQ(t.rows, 5);
  ASSERT_EQ(t.cols, 9);
  const float tolerance = 1e-5f;
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 9; ++c) {
      const std::string where = std::to_string(r) + "," + std::to_string(c);
      ExpectNear(t.At(r, c), {2.0f * r, 1.5f * c, r * c / 2.0f}, tolerance, "point " + where);
      // U keeps the net lines: central over the extended rows, also on the border rows.
      ExpectNear(t.TU(r, c), {2, 0, c / 2.0f}, tolerance, "U " + where);
      // V is smoothed: per span inside, per step (one-sided) on the first and last columns.
      const bool border = c == 0 || c == 8;
      const Vector3 expectedV =
          border ? Vector3(0, 1.5f, r / 2.0f) : Vector3(0, 3, static_cast<float>(r));
      ExpectNear(t.TV(r, c), expectedV, tolerance, "V " + where);
    }
  }

  // The same with the roles swapped: U smoothed at 2 steps, V kept.
  const Tessellation swapped = Tessellate(net, 2, 0);
  ASSERT_EQ(swapped.rows, 9);
  ASSERT_EQ(swapped.cols, 5);
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 5; ++c) {
      const std::string where = std::to_string(r) + "," + std::to_string(c);
      ExpectNear(swapped.At(r, c), {1.0f * r, 3.0f * c, r * c / 2.0f}, tolerance, "point " + where);
      const bool border = r == 0 || r == 8;
      const Vector3 expectedU =
          border ? Vector3(1, 0, c / 2.0f) : Vector3(2, 0, static_cast<float>(c));
      ExpectNear(swapped.TU(r, c), expectedU, tolerance, "U " + where);
      ExpectNear(swapped.TV(r, c), {0, 3, r / 2.0f}, tolerance, "V " + where);
    }
  }
}

TEST_F(SurfaceTessellationTest, SmallGridsAndHugeStepsGiveNothing) {
  const Net net = Extend(CurvedGrid(4, 4), 4, 4);
  Tessellation untouched;
  untouched.points = {Vector3(7, 7, 7)};
  TessellateSurface(kBSplineBasis, net.points.data(), 3, 6, &untouched.points, &untouched.tangentU,
                    &untouched.tangentV, &untouched.rows, &untouched.cols, 8, 8, 1);
  EXPECT_EQ(untouched.points, std::vector<Vector3>{Vector3(7, 7, 7)});
  EXPECT_EQ(untouched.rows, -1);

  // Step counts from a hostile record: no giant allocation, the empty result.
  for (const auto& [stepsU, stepsV] : {std::pair{1 << 30, 8}, std::pair{0, 1 << 30},
                                       std::pair{0x7FFFFFFF, 0x7FFFFFFF}, std::pair{3000, 3000}}) {
    const Tessellation t = Tessellate(net, stepsU, stepsV);
    EXPECT_TRUE(t.points.empty()) << stepsU << "x" << stepsV;
    EXPECT_TRUE(t.tangentU.empty());
    EXPECT_EQ(t.rows, 0);
    EXPECT_EQ(t.cols, 0);
  }
}

// The normals as shading derived them before the tessellation gave them: the whole grid's
// tangents, their degenerate ones replaced, then crossed and normalised point by point.
std::vector<Vector3> NormalsFromTangents(Tessellation t, int orientationSign) {
  SubstituteDegenerateTangents(t.tangentU.data(), t.tangentV.data(), t.rows, t.cols);
  std::vector<Vector3> normals(t.points.size());
  for (std::size_t k = 0; k < normals.size(); ++k) {
    const Vector3 a = t.tangentU[k], b = t.tangentV[k];
    normals[k] = Normalize(orientationSign >= 1 ? VecCross(a, b) : VecCross(b, a));
  }
  return normals;
}

bool SameBytes(const std::vector<Vector3>& a, const std::vector<Vector3>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Vector3)) == 0);
}

// Seeded grids with collapsed rows and columns (poles, where tangents vanish) in random places,
// both ways of tessellating and both orientations: the same points and the same normals to the bit.
TEST_F(SurfaceTessellationTest, NormalsAreTheTangentsCrossedAfterTheirSubstitution) {
  std::mt19937 random(47);
  const auto uniform = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  int degenerate = 0;
  for (int round = 0; round < 200; ++round) {
    const int rows = uniform(2, 9), cols = uniform(2, 9);
    std::vector<Vector3> grid = CurvedGrid(rows, cols);
    const int poleRow = uniform(-1, rows - 1), poleColumn = uniform(-1, cols - 1);
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < cols; ++j) {
        Vector3& point = grid[static_cast<std::size_t>(i * cols + j)];
        if (i == poleRow) point = grid[static_cast<std::size_t>(i * cols)];
        if (j == poleColumn) point = grid[static_cast<std::size_t>(j)];
      }
    }
    Net net;
    ExtendSurfaceNet(grid.data(), rows, cols, uniform(0, 1), uniform(0, 1), uniform(0, 1),
                     uniform(0, 1), uniform(0, 1), uniform(0, 1), &net.points, &net.rows, &net.cols);
    const int stepsU = uniform(-1, 6), stepsV = uniform(-1, 6), sign = uniform(0, 1) == 0 ? -1 : 1;
    SCOPED_TRACE(std::to_string(rows) + "x" + std::to_string(cols) + " steps " +
                 std::to_string(stepsU) + "," + std::to_string(stepsV));
    const Tessellation t = Tessellate(net, stepsU, stepsV);
    std::vector<Vector3> points, normals;
    int outRows = -1, outCols = -1;
    TessellateSurfaceNormals(kBSplineBasis, net.points.data(), net.rows, net.cols, stepsU, stepsV,
                             sign, &points, &normals, &outRows, &outCols);
    EXPECT_EQ(outRows, t.rows);
    EXPECT_EQ(outCols, t.cols);
    EXPECT_TRUE(SameBytes(points, t.points));
    if (t.rows < 2 || t.cols < 2) continue;
    for (const Vector3& tangent : t.tangentU) degenerate += IsDegenerateTangent(tangent) ? 1 : 0;
    EXPECT_TRUE(SameBytes(normals, NormalsFromTangents(t, sign)));
  }
  EXPECT_GT(degenerate, 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "bspline_reference.h"
#include "kernel/bspline_curve.h"
#include "kernel/surface_evaluation.h"
#include "kernel/surface_tessellation.h"
#include "program_state.h"
#include "test_matrices.h"

namespace {

// An extended grid of 9 x 5 points: 6 spans along U, 2 along V.
class SurfaceEvaluationTest : public LumidrexTest {
 protected:
  static constexpr int kRows = 9, kCols = 5;

  void SetUp() override {
    LumidrexTest::SetUp();
    for (int i = 0; i < kRows; ++i) {
      for (int j = 0; j < kCols; ++j) {
        grid.push_back(
            {1.0f * i, 2.0f * j, std::sin(1.1f * i) * std::cos(0.7f * j) + 0.1f * i * j});
      }
    }
    BuildSurfaceSpanTables(kBSplineBasis, kBSplineBasis, &tables, grid.data(), kRows, kCols);
  }

  // The patch at span (a, b), local (u, v), from the basis functions in double.
  Vector3 DirectPoint(int a, int b, double u, double v) const {
    double wu[4], wv[4];
    CubicBasisWeights(u, wu);
    CubicBasisWeights(v, wv);
    double x = 0, y = 0, z = 0;
    for (int j = 0; j < 4; ++j) {
      for (int l = 0; l < 4; ++l) {
        const Vector3 p = grid[static_cast<std::size_t>((a + j) * kCols + b + l)];
        x += wu[j] * wv[l] * p.x;
        y += wu[j] * wv[l] * p.y;
        z += wu[j] * wv[l] * p.z;
      }
    }
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
  }

  Vector3 Offset(double u, double v, float distance, int wrapU, int wrapV = 0) const {
    Vector3 out{99, 99, 99};
    SurfaceOffsetPoint(&out, tables, kRows - 3, kCols - 3, u, v, distance, wrapU, wrapV);
    return out;
  }

  std::vector<Vector3> grid;
  SurfaceSpanTables tables;
};

TEST_F(SurfaceEvaluationTest, TablesHoldOnePatchPerSpanPair) {
  ASSERT_EQ(tables.size(), 6u);
  for (const auto& table : tables) EXPECT_EQ(table.size(), 2u * 16);
  ExpectNear(Offset(2.25, 1.75, 0, 0), DirectPoint(2, 1, 0.25, 0.75), 2e-5f, "inside");
  SurfaceSpanTables noTables{{Vector3()}};
  BuildSurfaceSpanTables(kBSplineBasis, kBSplineBasis, &noTables, grid.data(), 3, kCols);
  EXPECT_TRUE(noTables.empty());
}

TEST_F(SurfaceEvaluationTest, OutsideParametersWrapOrExtrapolate) {
  struct Case {
    double u;
    int wrap;
    int patch;
    double local;
  } const kCases[] = {
      {-0.5, 0, 0, -0.5},  // extrapolates patch 0
      {-0.5, 1, 5, 0.5},   // wraps into the last patch
      {-12.5, 1, 5, 0.5},  // several turns at once
      {7.25, 0, 5, 2.25},  // beyond the end, extrapolating the last patch
      {19.25, 1, 1, 0.25}, {6.0, 1, 0, 0.0},
  };
  for (const Case& c : kCases) {
    const std::string where = "u=" + std::to_string(c.u) + " wrap=" + std::to_string(c.wrap);
    ExpectNear(Offset(c.u, 0.5, 0, c.wrap), DirectPoint(c.patch, 0, c.local, 0.5), 2e-4f, where);
  }
  // Wrapping in one step gives the patch and local parameter that adding the span count one turn
  // at a time gives, rounding included.
  for (double u : {-12.3, -6.0000001, 20.7, 17.999999, -0.1, -1e-17, -6.0}) {
    double stepped = u;
    double whole = std::floor(u);
    while (whole < 0) whole += 6, stepped += 6;
    while (whole >= 6) whole -= 6, stepped -= 6;
    const Vector3* patch = &tables[static_cast<std::size_t>(whole)][0];
    const Vector3 expected = EvaluatePatch(patch, static_cast<float>(stepped - whole), 0.4f).point;
    const Vector3 once = Offset(u, 0.4, 0, 1);
    EXPECT_EQ(std::memcmp(&once, &expected, sizeof once), 0) << u;
  }
  // V wraps the same way.
  ExpectNear(Offset(1.5, -0.5, 0, 0, 1), DirectPoint(1, 1, 0.5, 0.5), 2e-4f, "v wraps");
}

TEST_F(SurfaceEvaluationTest, OffsetMovesAlongTheUnitNormal) {
  Matrix4 frame;
  SurfaceFrameAt(&frame, tables, 6, 2, 3.3, 0.6, 0, 0, 0);
  const Vector3 base = Offset(3.3, 0.6, 0, 0);
  const Vector3 moved = Offset(3.3, 0.6, 2.5f, 0);
  const Vector3 normal{frame[8], frame[9], frame[10]};
  ExpectNear(moved, VecAdd(base, VecScale(normal, 2.5f)), 1e-5f, "offset");
  ExpectNear(base, {frame[12], frame[13], frame[14]}, 0, "origin");

  // The frame is right-handed with unit rows whichever tangent it follows.
  for (int alignToV : {0, 1}) {
    SurfaceFrameAt(&frame, tables, 6, 2, 3.3, 0.6, alignToV, 0, 0);
    const Vector3 x{frame[0], frame[1], frame[2]}, y{frame[4], frame[5], frame[6]};
    ExpectNear(VecCross(x, y), normal, 1e-5f, "x cross y");
    EXPECT_NEAR(x.x * x.x + x.y * x.y + x.z * x.z, 1.0f, 1e-5f);
    EXPECT_NEAR(x.x * y.x + x.y * y.y + x.z * y.z, 0.0f, 1e-5f);
    EXPECT_EQ(frame[3], 0.0f);
    EXPECT_EQ(frame[15], 1.0f);
  }
}

TEST_F(SurfaceEvaluationTest, FlatGridGivesTheAxes) {
  std::vector<Vector3> flat;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) flat.push_back({3.0f * i, 2.0f * j, 0});
  }
  std::vector<Vector3> extended;
  int rows = 0, cols = 0;
  ExtendSurfaceNet(flat.data(), 4, 4, 0, 0, 0, 0, 0, 0, &extended, &rows, &cols);
  SurfaceSpanTables flatTables;
  BuildSurfaceSpanTables(kBSplineBasis, kBSplineBasis, &flatTables, extended.data(), rows, cols);
  for (int alignToV : {0, 1}) {
    Matrix4 frame;
    SurfaceFrameAt(&frame, flatTables, rows - 3, cols - 3, 1.5, 0.5, alignToV, 0, 0);
    // The flat net reproduces its own parametrisation: 3 per U span, 2 per V span.
    const Matrix4 expected = Translation(4.5f, 1.0f, 0.0f);
    for (int e = 0; e < 16; ++e)
      EXPECT_NEAR(frame[e], expected[e], 1e-5f) << "alignToV " << alignToV << " element " << e;
  }
}

TEST_F(SurfaceEvaluationTest, BadParametersAndMissingSpansReturnPromptly) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  // A parameter that is not a number or not finite is taken as 0.
  for (const double bad : {static_cast<double>(nan), inf, -inf}) {
    for (int wrap : {0, 1}) {
      const Vector3 p = Offset(bad, bad, 0, wrap, wrap);
      const Vector3 origin = Offset(0, 0, 0, wrap, wrap);
      EXPECT_EQ(std::memcmp(&p, &origin, sizeof p), 0);
    }
  }
  // Far out, wrapped or extrapolated: finishes at once.
  for (const double far : {1e30, -1e30, 1e300, 4e9, -3e9}) {
    for (int wrap : {0, 1}) {
      Matrix4 frame;
      SurfaceFrameAt(&frame, tables, 6, 2, far, far, 1, wrap, wrap);
      const Vector3 p = Offset(far, far, 1, wrap, wrap);
      if (wrap) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << far;
      }
    }
  }
  // No spans, or spans beyond the tables: no patch.
  const int spanCounts[][2] = {{0, 2}, {6, 0}, {-1, -1}, {7, 2}, {6, 3}};
  for (const auto& spans : spanCounts) {
    Vector3 p{5, 5, 5};
    SurfaceOffsetPoint(&p, tables, spans[0], spans[1], 7.5, 0.5, 1, 1, 1);
    EXPECT_EQ(p, Vector3()) << spans[0] << "x" << spans[1];
    Matrix4 frame;
    SurfaceFrameAt(&frame, tables, spans[0], spans[1], 7.5, 0.5, 0, 1, 1);
    EXPECT_EQ(frame, kIdentityMatrix);
  }
}

}  // namespace

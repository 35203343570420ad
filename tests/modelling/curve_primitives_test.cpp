#include "modelling/curve_primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "curve_fixture.h"
#include "kernel/bspline_curve.h"

namespace {

using CurvePrimitivesTest = CurveTest;

TEST_F(CurvePrimitivesTest, CircleKnotsLieOnTheRadius) {
  for (const int first : {kFirstCvFlat, kFirstCvVertex}) {
    SCOPED_TRACE(first);
    ResetProgramState();
    SetUp();
    MakeCircleCurve(1.0f, 6, first, 0, 1, 2);
    const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
    ASSERT_EQ(curves.size(), 1u);
    const CCurveObject& circle = *curves[0];
    EXPECT_EQ(circle.closed, 1);
    ASSERT_EQ(circle.PointCount(), 6);
    const std::vector<Vector3> padded = ExtendCurveEnds(6, circle.points.data(), 0, 0, 1);
    const std::vector<Vector3> knots = EvaluateCurvePoints(padded.data(), static_cast<int>(padded.size()), 1);
    ASSERT_EQ(knots.size(), 7u);
    for (const Vector3& knot : knots) {
      EXPECT_NEAR(std::hypot(static_cast<double>(knot.x), static_cast<double>(knot.y)), 1.0, 1e-5);
      EXPECT_EQ(knot.z, 0.0f);
    }
    // Vertex puts a control point on the horizontal axis; Flat makes the bottom side level.
    if (first == kFirstCvVertex) {
      EXPECT_NEAR(circle.points[0].y, 0.0f, 1e-6f);
      EXPECT_GT(circle.points[0].x, 0.0f);
    } else {
      EXPECT_NEAR(circle.points[5].y, circle.points[0].y, 1e-6f);
      EXPECT_LT(circle.points[0].y, 0.0f);
    }
  }
}

TEST_F(CurvePrimitivesTest, PolygonDoublesEachCorner) {
  MakePolygonCurve(4, kFirstCvVertex, 0, 1, 2);
  MakePolygonCurve(4, kFirstCvFlat, 0, 1, 2);
  const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
  ASSERT_EQ(curves.size(), 2u);
  const std::vector<Vector3> vertex = {{1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 1, 0},
                                       {-1, 0, 0}, {-1, 0, 0}, {0, -1, 0}, {0, -1, 0}};
  const std::vector<Vector3> flat = {{1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {1, 1, 0},
                                     {-1, 1, 0}, {-1, 1, 0}, {-1, -1, 0}, {-1, -1, 0}};
  ASSERT_EQ(curves[0]->PointCount(), 8);
  ASSERT_EQ(curves[1]->PointCount(), 8);
  for (std::size_t i = 0; i < 8; ++i) {
    ExpectNear(curves[0]->points[i], vertex[i]);
    ExpectNear(curves[1]->points[i], flat[i]);
  }
  EXPECT_EQ(curves[0]->closed, 1);
}

TEST_F(CurvePrimitivesTest, LineAtNinetyDegreesRunsUpTheVerticalAxis) {
  // In a view whose horizontal axis is z and vertical axis x.
  MakeLineCurve(90.0f, 2, 0, 1);
  const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
  ASSERT_EQ(curves.size(), 1u);
  ASSERT_EQ(curves[0]->PointCount(), 2);
  ExpectNear(curves[0]->points[0], {-1, 0, 0});
  ExpectNear(curves[0]->points[1], {1, 0, 0});
  EXPECT_EQ(curves[0]->closed, 0);
}

// Independent reference of a helix point in double.
Vector3 HelixPoint(int i, int m, double turns, double r1, double r2, double length, bool clockwise) {
  const double step = (clockwise ? -1.0 : 1.0) * turns * 2.0 * std::numbers::pi / m;
  const double radius = r1 + i * (r2 - r1) / m;
  return {static_cast<float>(radius * std::cos(i * step)), static_cast<float>(radius * std::sin(i * step)),
          static_cast<float>(i * length / m)};
}

TEST_F(CurvePrimitivesTest, HelixPointsAndItsBounds) {
  struct Case {
    float turns, r1, r2, length, perTurn;
    int clockwise;
    int points;  // 0: nothing made
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {1, 0, 10, 0, 6, 0, 7},
      {1, 0, 10, 0, 6, 1, 7},
      {2.5f, 3, 1, 4, 8, 0, 21},
      {1e9f, 1, 1, 1, 6, 0, 0},
      {nan, 1, 1, 1, 6, 0, 0},
      {1, 1, 1, 1, nan, 0, 0},
      {0.01f, 1, 1, 1, 6, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.points);
    ResetProgramState();
    SetUp();
    MakeHelixCurve(c.turns, c.r1, c.r2, c.length, c.clockwise, c.perTurn);
    const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
    if (c.points == 0) {
      EXPECT_TRUE(curves.empty());
      continue;
    }
    ASSERT_EQ(curves.size(), 1u);
    ASSERT_EQ(curves[0]->PointCount(), c.points);
    for (int i = 0; i < c.points; ++i) {
      ExpectNear(curves[0]->points[static_cast<std::size_t>(i)],
                 HelixPoint(i, c.points - 1, c.turns, c.r1, c.r2, c.length, c.clockwise != 0), 1e-4f);
    }
  }
}

TEST_F(CurvePrimitivesTest, HelixFollowsTheSignsOfTheViewAxes) {
  // Screen right is -x, up is z, depth is -y (a back view).
  view.SetAxes(0, 2, 1, -1, 1, -1);
  MakeHelixCurve(1, 2, 2, 6, 0, 4);
  const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
  ASSERT_EQ(curves.size(), 1u);
  ExpectNear(curves[0]->points[0], {-2, 0, 0});
  ExpectNear(curves[0]->points[1], {0, -1.5f, 2});
  ExpectNear(curves[0]->points[4], {-2, -6, 0});
}

}  // namespace

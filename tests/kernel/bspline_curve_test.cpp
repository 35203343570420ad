#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "bspline_reference.h"
#include "kernel/bspline_curve.h"
#include "program_state.h"

namespace {

// Coordinates up to 9: the ends agree with the control points to about 1e-6 of that.
const std::vector<Vector3> kControl = {{0, 0, 0}, {3, 1, -2}, {5, 4, 1},
                                       {9, 2, 3}, {7, -3, 6}, {2, -5, 4}};
constexpr float kTolerance = 9e-6f;

Vector3 Average141(Vector3 a, Vector3 b, Vector3 c) {
  return {(a.x + 4 * b.x + c.x) / 6, (a.y + 4 * b.y + c.y) / 6, (a.z + 4 * b.z + c.z) / 6};
}

// The curve of an extended polygon at global parameter t, straight from the basis, in double.
Vector3 DirectCurvePoint(const std::vector<Vector3>& polygon, double t) {
  const int spans = static_cast<int>(polygon.size()) - 3;
  const int span = std::min(static_cast<int>(t), spans - 1);
  const double u = t - span;
  double w[4];
  CubicBasisWeights(u, w);
  double x = 0, y = 0, z = 0;
  for (int j = 0; j < 4; ++j) {
    x += w[j] * polygon[span + j].x;
    y += w[j] * polygon[span + j].y;
    z += w[j] * polygon[span + j].z;
  }
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

bool BitEqual(const std::vector<Vector3>& a, const std::vector<Vector3>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Vector3)) == 0;
}

class CurveKernelTest : public LumidrexTest {};

struct Ends {
  const char* name;
  int start, end, closed;
};

TEST_F(CurveKernelTest, CountsEndsAndPointsFollowTheBasis) {
  const Ends kEnds[] = {{"closed", 0, 0, 1},
                        {"both attributes 0", 0, 0, 0},
                        {"start attribute 0", 0, 1, 0},
                        {"end attribute 0", 1, 0, 0},
                        {"both attributes non-zero", 1, 1, 0}};
  for (const Ends& ends : kEnds) {
    for (int n = 3; n <= 6; ++n) {
      const Vector3* P = kControl.data();
      const std::vector<Vector3> extended =
          ExtendCurveEnds(n, P, ends.start, ends.end, ends.closed);
      const int extra = ends.closed ? 3 : (ends.start == 0) + (ends.end == 0);
      ASSERT_EQ(extended.size(), static_cast<std::size_t>(n + extra)) << ends.name << " n=" << n;

      const Vector3 first = ends.closed       ? Average141(P[n - 1], P[0], P[1])
                            : ends.start == 0 ? P[0]
                                              : Average141(P[0], P[1], P[2]);
      const Vector3 last = ends.closed     ? first
                           : ends.end == 0 ? P[n - 1]
                                           : Average141(P[n - 3], P[n - 2], P[n - 1]);
      for (int s : {1, 4, 8}) {
        const std::string where =
            std::string(ends.name) + " n=" + std::to_string(n) + " s=" + std::to_string(s);
        const std::vector<Vector3> curve =
            EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()), s);
        const int spans = static_cast<int>(extended.size()) - 3;
        if (spans < 1) {
          EXPECT_TRUE(curve.empty()) << where;
          continue;
        }
        ASSERT_EQ(curve.size(), static_cast<std::size_t>(s * spans + 1)) << where;
        ExpectNear(curve.front(), first, kTolerance, where + " first");
        ExpectNear(curve.back(), last, kTolerance, where + " last");
        for (std::size_t k = 0; k < curve.size(); ++k) {
          ExpectNear(curve[k], DirectCurvePoint(extended, static_cast<double>(k) / s), kTolerance,
                     where + " point " + std::to_string(k));
        }
      }
      // Without steps the control polygon itself comes back, closed by a repeat of P0.
      const std::vector<Vector3> net =
          EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()), 0);
      ASSERT_EQ(net.size(), extended.size() - 2) << ends.name;
      EXPECT_TRUE(std::equal(net.begin(), net.end(), extended.begin() + 1)) << ends.name;
    }
  }
}

TEST_F(CurveKernelTest, TooFewPointsGiveNothing) {
  const Vector3 one{1, 2, 3};
  EXPECT_TRUE(ExtendCurveEnds(1, &one, 0, 0, 0).empty());
  EXPECT_TRUE(ExtendCurveEnds(1, &one, 0, 0, 1).empty());
  EXPECT_TRUE(ExtendCurveEnds(0, nullptr, 0, 0, 0).empty());

  const Vector3 three[] = {{0, 0, 0}, {1, 2, 3}, {4, 4, 4}};
  for (int s : {1, 8}) {
    EXPECT_TRUE(EvaluateCurvePoints(three, 3, s).empty());
    EXPECT_TRUE(SampleCurve(three, 3, s).empty());
  }
  EXPECT_EQ(EvaluateCurvePoints(three, 3, 0), std::vector<Vector3>{three[1]});
  EXPECT_TRUE(EvaluateCurvePoints(three, 2, 0).empty());
  EXPECT_TRUE(EvaluateCurvePoints(kControl.data(), 6, -1).empty());
}

TEST_F(CurveKernelTest, ExtensionReadsWithStride) {
  // A column of a 3-wide grid: every third point.
  const Vector3 grid[] = {{0, 0, 0}, {9, 9, 9}, {9, 9, 9}, {1, 0, 0},
                          {9, 9, 9}, {9, 9, 9}, {3, 0, 0}};
  EXPECT_EQ(ExtendCurveEnds(3, grid, 0, 0, 0, 3),
            (std::vector<Vector3>{{-1, 0, 0}, {0, 0, 0}, {1, 0, 0}, {3, 0, 0}, {5, 0, 0}}));
  EXPECT_EQ(
      ExtendCurveEnds(3, grid, 0, 0, 1, 3),
      (std::vector<Vector3>{{3, 0, 0}, {0, 0, 0}, {1, 0, 0}, {3, 0, 0}, {0, 0, 0}, {1, 0, 0}}));
}

TEST_F(CurveKernelTest, RefinedPolygonHasThreeMorePointsThanTheCurve) {
  const std::vector<Vector3> extended = ExtendCurveEnds(5, kControl.data(), 0, 0, 0);
  const std::vector<Vector3> refined = SampleCurve(extended.data(), 7, 4);
  ASSERT_EQ(refined.size(), 4u * 4 + 3);
  // Its (1, 4, 1) averages are the curve points.
  const std::vector<Vector3> curve = EvaluateCurvePoints(extended.data(), 7, 4);
  for (std::size_t k = 0; k < curve.size(); ++k) {
    ExpectNear(curve[k], Average141(refined[k], refined[k + 1], refined[k + 2]), kTolerance, "");
  }
}

TEST_F(CurveKernelTest, CachedMatricesGiveTheResultsOfAFreshCache) {
  const std::vector<Vector3> extended = ExtendCurveEnds(6, kControl.data(), 0, 1, 0);
  const int n = static_cast<int>(extended.size());
  const std::vector<Vector3> first8 = SampleCurve(extended.data(), n, 8);
  const std::vector<Vector3> then4 = SampleCurve(extended.data(), n, 4);
  const std::vector<Vector3> again8 = SampleCurve(extended.data(), n, 8);

  ResetProgramState();
  const std::vector<Vector3> fresh4 = SampleCurve(extended.data(), n, 4);
  ResetProgramState();
  const std::vector<Vector3> fresh8 = SampleCurve(extended.data(), n, 8);

  EXPECT_TRUE(BitEqual(first8, fresh8));
  EXPECT_TRUE(BitEqual(again8, fresh8));
  EXPECT_TRUE(BitEqual(then4, fresh4));
}

TEST_F(CurveKernelTest, OutputSizeIsCappedNotTheSteps) {
  const std::vector<Vector3> extended = ExtendCurveEnds(4, kControl.data(), 0, 0, 0);
  // Step counts above 256 are legitimate.
  EXPECT_EQ(EvaluateCurvePoints(extended.data(), 6, 1000).size(), 3001u);
  // A step count from a hostile file: no giant allocation, just nothing to draw.
  EXPECT_TRUE(SampleCurve(extended.data(), 6, 1 << 30).empty());
  EXPECT_TRUE(EvaluateCurvePoints(extended.data(), 6, 1 << 30).empty());
  EXPECT_TRUE(EvaluateCurvePoints(extended.data(), 6, 0x7FFFFFFF).empty());
  // The largest refinement the cap allows still comes out whole; one step more gives nothing.
  const std::vector<Vector3> longPolygon(1003, Vector3(1, 2, 3));
  const int steps = static_cast<int>((kMaxTessellationPoints - 3) / 1000);
  EXPECT_EQ(SampleCurve(longPolygon.data(), 1003, steps).size(),
            static_cast<std::size_t>(steps) * 1000 + 3);
  EXPECT_TRUE(SampleCurve(longPolygon.data(), 1003, steps + 1).empty());
}

}  // namespace

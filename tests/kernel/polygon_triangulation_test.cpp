#include "kernel/polygon_triangulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "program_state.h"

namespace {

class TriangulationTest : public LumidrexTest {};

struct Triangle {
  Vector3 tip, next, previous;
  friend bool operator==(const Triangle&, const Triangle&) = default;
};

void PrintTo(const Triangle& t, std::ostream* os) {
  for (const Vector3& p : {t.tip, t.next, t.previous})
    *os << "(" << p.x << "," << p.y << "," << p.z << ")";
}

std::vector<Triangle> Triangulate(const std::vector<std::vector<Vector3>>& rings) {
  std::vector<int> sizes;
  std::vector<const Vector3*> points;
  for (const auto& ring : rings) {
    sizes.push_back(static_cast<int>(ring.size()));
    points.push_back(ring.data());
  }
  std::vector<Triangle> out;
  TriangulatePolygons(static_cast<int>(rings.size()), sizes.data(), points.data(),
                      [&](Vector3 tip, Vector3 next, Vector3 previous) {
                        out.push_back({tip, next, previous});
                      });
  return out;
}

// The area of a triangle's projection on the plane that drops the given axis.
float ProjectedArea(const Triangle& t, int dropped) {
  const Vector3 n = VecCross(VecSub(t.next, t.tip), VecSub(t.previous, t.tip));
  const float component = dropped == 0 ? n.x : dropped == 1 ? n.y : n.z;
  return std::fabs(component) / 2;
}

float TotalArea(const std::vector<Triangle>& triangles, int dropped) {
  float sum = 0;
  for (const Triangle& t : triangles) sum += ProjectedArea(t, dropped);
  return sum;
}

std::vector<Vector3> Square(float low, float high, bool clockwise) {
  std::vector<Vector3> ring = {{low, low, 0}, {high, low, 0}, {high, high, 0}, {low, high, 0}};
  if (clockwise) std::swap(ring[1], ring[3]);
  return ring;
}

TEST_F(TriangulationTest, ConvexQuadrilateralInOrder) {
  const auto triangles = Triangulate({Square(0, 1, false)});
  const std::vector<Triangle> expected = {
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
      {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
  };
  EXPECT_EQ(triangles, expected);
}

TEST_F(TriangulationTest, SquareWithASquareHole) {
  const auto triangles = Triangulate({Square(0, 10, false), Square(3, 6, true)});
  EXPECT_EQ(triangles.size(), 8u);
  EXPECT_FLOAT_EQ(TotalArea(triangles, 2), 100 - 9);
  // No triangle covers the middle of the hole.
  const Vector3 middle{4.5f, 4.5f, 0};
  for (const Triangle& t : triangles) {
    const float d1 = VecCross(VecSub(t.next, t.tip), VecSub(middle, t.tip)).z;
    const float d2 = VecCross(VecSub(t.previous, t.next), VecSub(middle, t.next)).z;
    const float d3 = VecCross(VecSub(t.tip, t.previous), VecSub(middle, t.previous)).z;
    EXPECT_FALSE((d1 > 0 && d2 > 0 && d3 > 0) || (d1 < 0 && d2 < 0 && d3 < 0));
  }
}

// The middle of three collinear points comes first in the sweep and is cut off flat.
TEST_F(TriangulationTest, CollinearPointGivesAZeroAreaTriangle) {
  const auto triangles = Triangulate({{{1, 0, 0}, {2, 0, 0}, {1, 1, 0}, {0, 0, 0}}});
  ASSERT_EQ(triangles.size(), 2u);
  int flat = 0;
  for (const Triangle& t : triangles) flat += ProjectedArea(t, 2) == 0.0f;
  EXPECT_EQ(flat, 1);
  EXPECT_FLOAT_EQ(TotalArea(triangles, 2), 1.0f);
}

// The plane is found from the ring; a collinear first triple does not flatten it onto a line.
TEST_F(TriangulationTest, ProjectionPlaneFollowsTheRing) {
  struct Case {
    const char* name;
    std::vector<Vector3> ring;
    int dropped;
    float area;
  };
  const Case cases[] = {
      {"x = const", {{2, 0, 0}, {2, 4, 0}, {2, 4, 3}, {2, 0, 3}}, 0, 12},
      {"y = const, collinear start", {{0, 5, 0}, {1, 5, 0}, {2, 5, 0}, {2, 5, 2}, {0, 5, 2}}, 1, 4},
      {"z = const, collinear start",
       {{0, 0, 1}, {0, 1, 1}, {0, 2, 1}, {-3, 2, 1}, {-3, 0, 1}},
       2,
       6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto triangles = Triangulate({c.ring});
    EXPECT_EQ(triangles.size(), c.ring.size() - 2);
    EXPECT_FLOAT_EQ(TotalArea(triangles, c.dropped), c.area);
    for (const Triangle& t : triangles) {
      EXPECT_GT(ProjectedArea(t, c.dropped), 0.0f);
    }
  }
}

TEST_F(TriangulationTest, DegenerateRingsAreSkipped) {
  const std::vector<Vector3> one = {{1, 1, 0}};
  const std::vector<Vector3> two = {{0, 0, 0}, {1, 0, 0}};
  EXPECT_TRUE(Triangulate({}).empty());
  EXPECT_TRUE(Triangulate({one}).empty());
  EXPECT_TRUE(Triangulate({two, one}).empty());
  // The plane comes from the first usable ring.
  const auto triangles = Triangulate({two, {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}}});
  ASSERT_EQ(triangles.size(), 1u);
  EXPECT_FLOAT_EQ(ProjectedArea(triangles[0], 0), 0.5f);
}

TEST_F(TriangulationTest, HostileRingsFinish) {
  const std::vector<std::vector<Vector3>> inputs[] = {
      {{{0, 0, 0}, {2, 2, 0}, {2, 0, 0}, {0, 2, 0}}},  // bow-tie
      {{{0, 0, 0}, {4, 4, 0}, {4, 0, 0}, {0, 4, 0}, {2, 5, 0}, {3, -1, 0}, {1, 3, 0}}},
      {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
      {{{0, 0, 0}, {NAN, 1, 0}, {1, NAN, 0}, {1, 1, 0}}},
      {Square(0, 4, false), Square(1, 3, false), Square(0, 4, true)},
  };
  for (const auto& rings : inputs) Triangulate(rings);
}

}  // namespace

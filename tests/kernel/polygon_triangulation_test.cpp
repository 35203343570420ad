#include "kernel/polygon_triangulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "kernel/outline_rings.h"
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

std::vector<Triangle> Triangulate(const std::vector<std::vector<Vector3>>& rings,
                                  LevelCorners level = LevelCorners::kInGivenOrder) {
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
                      },
                      level);
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

// Twice the signed area of a ring in the z = 0 plane, in double: the reference the triangles'
// areas are checked against.
double RingArea(const std::vector<Vector3>& ring) {
  double sum = 0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Vector3& a = ring[i];
    const Vector3& b = ring[(i + 1) % ring.size()];
    sum += double(a.x) * b.y - double(b.x) * a.y;
  }
  return sum / 2;
}

// A star-shaped ring around (cx, cy): one corner in each of `corners` equal sectors, at a random
// angle within 80 % of it and its own radius between low and high, so it is simple, its edges
// pass the centre at no less than low x cos(0.8 x 2 pi / corners), and with a wide radius range it
// is deeply concave. Counter-clockwise unless clockwise.
std::vector<Vector3> StarRing(std::mt19937& random, int corners, float cx, float cy, float low,
                              float high, bool clockwise) {
  std::uniform_real_distribution<double> jitter(0, 0.8), radius(low, high);
  std::vector<Vector3> ring;
  for (int i = 0; i < corners; ++i) {
    const double a = (i + jitter(random)) * 2 * std::numbers::pi / corners;
    const double r = radius(random);
    ring.push_back({float(cx + r * std::cos(a)), float(cy + r * std::sin(a)), 0});
  }
  if (clockwise) std::reverse(ring.begin(), ring.end());
  return ring;
}

// Whether segments ab and cd cross at a point inside both, in double.
bool SegmentsCross(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
  auto side = [](const Vector3& p, const Vector3& q, const Vector3& r) {
    return (double(q.x) - p.x) * (double(r.y) - p.y) - (double(q.y) - p.y) * (double(r.x) - p.x);
  };
  return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

// Random points in a square joined into a simple counter-clockwise ring by undoing crossings
// (reversing the run between two crossing edges shortens the ring, so it ends): the rings are
// concave in every way, not only around a centre.
std::vector<Vector3> UntangledRing(std::mt19937& random, int corners) {
  std::uniform_real_distribution<double> coordinate(0, 10);
  std::vector<Vector3> ring(corners);
  for (Vector3& p : ring) p = {float(coordinate(random)), float(coordinate(random)), 0};
  const std::size_t n = ring.size();
  for (bool crossed = true; crossed;) {
    crossed = false;
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = i + 2; j < n; ++j) {
        if ((j + 1) % n == i) continue;
        if (SegmentsCross(ring[i], ring[i + 1], ring[j], ring[(j + 1) % n])) {
          std::reverse(ring.begin() + static_cast<long>(i) + 1, ring.begin() + static_cast<long>(j) + 1);
          crossed = true;
        }
      }
    }
  }
  if (RingArea(ring) < 0) std::reverse(ring.begin(), ring.end());
  return ring;
}

// Concave rings, some with one or two holes: every one gives n - 2 + 2h triangles whose areas add
// up to the polygon's, in either order of level corners. Overlapping triangles would add up to more.
TEST_F(TriangulationTest, RandomConcavePolygonsAreCoveredExactlyOnce) {
  std::mt19937 random(20261210);
  for (int shape = 0; shape < 600; ++shape) {
    std::vector<std::vector<Vector3>> rings;
    switch (shape % 3) {
      case 0:
        rings.push_back(UntangledRing(random, 5 + shape % 20));
        break;
      case 1:  // The outer edges pass the centre at 2.55 or more; the hole stays within 2.4.
        rings.push_back(StarRing(random, 5 + shape % 23, 0, 0, 6, 10, false));
        rings.push_back(StarRing(random, 3 + shape % 7, 0, 0, 0.5f, 2.4f, true));
        break;
      default:
        rings.push_back(StarRing(random, 5 + shape % 17, 0, 0, 6, 10, false));
        rings.push_back(StarRing(random, 3 + shape % 5, -1.2f, 0, 0.2f, 1.0f, true));
        rings.push_back(StarRing(random, 3 + shape % 6, 1.2f, 0, 0.2f, 1.0f, true));
    }
    double expectedArea = 0;
    std::size_t points = 0;
    for (const auto& ring : rings) {
      expectedArea += RingArea(ring);
      points += ring.size();
    }
    SCOPED_TRACE(::testing::Message() << "shape " << shape);
    for (const LevelCorners level : {LevelCorners::kInGivenOrder, LevelCorners::kAlongTheLine}) {
      const auto triangles = Triangulate(rings, level);
      EXPECT_EQ(triangles.size(), points - 2 + 2 * (rings.size() - 1));
      double area = 0;
      for (const Triangle& t : triangles) area += ProjectedArea(t, 2);
      EXPECT_NEAR(area, expectedArea, 1e-4 * expectedArea);
    }
  }
}

// Whether the ring is simple: no point twice, no two edges crossing, no corner on another edge.
bool SimpleRing(const std::vector<Vector3>& ring) {
  const std::size_t n = ring.size();
  auto onEdge = [](const Vector3& p, const Vector3& a, const Vector3& b) {
    const double side = (double(b.x) - a.x) * (double(p.y) - a.y) - (double(b.y) - a.y) * (double(p.x) - a.x);
    return side == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
  };
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      const std::size_t next = (j + 1) % n;
      if (j != i && VectorsEqual(ring[i], ring[j])) return false;
      if (j != i && next != i && onEdge(ring[i], ring[j], ring[next])) return false;
      if (j > i + 1 && (j + 1) % n != i && SegmentsCross(ring[i], ring[i + 1], ring[j], ring[next])) return false;
    }
  }
  return true;
}

// Sampled outlines, such as a slice's, have many corners level in the sweep. Star rings with their
// corners on a coarse lattice (those the lattice left simple), and a ring from a ring's slice at
// its band's tangent section, where an ear once reached past (1, 31) on its far edge: the
// triangles turn as the ring does and add up to its area, in either order of level corners. Along
// the line, none is flat either: a flat triangle is one a mesh writer drops.
TEST_F(TriangulationTest, RingsWithCornersLevelInTheSweepAreCoveredExactlyOnce) {
  std::vector<std::vector<Vector3>> rings = {{{-9, 33, 0}, {-9, 30, 0}, {-9, -32, 0}, {-9, -34, 0},
                                              {1, -32, 0}, {9, -33, 0}, {9, -30, 0}, {9, 31, 0},
                                              {9, 34, 0}, {8, 39, 0}, {1, 31, 0}, {-1, 31, 0}}};
  std::mt19937 random(20261211);
  while (rings.size() < 400) {
    std::vector<Vector3> ring = StarRing(random, 5 + rings.size() % 23, 0, 0, 3, 10, false);
    for (Vector3& p : ring) p = {std::round(2 * p.x) / 2, std::round(p.y), 0};
    if (SimpleRing(ring)) rings.push_back(std::move(ring));
  }
  for (const LevelCorners level : {LevelCorners::kInGivenOrder, LevelCorners::kAlongTheLine}) {
    for (std::size_t r = 0; r < rings.size(); ++r) {
      SCOPED_TRACE(::testing::Message() << "ring " << r << (level == LevelCorners::kAlongTheLine ? " along" : ""));
      const double expected = RingArea(rings[r]);
      double area = 0;
      const std::vector<Vector3> corners = TriangulateOutlines({rings[r]}, {0, 0, 1}, level);
      for (std::size_t t = 0; t + 2 < corners.size(); t += 3) {
        const double turned = RingArea({corners[t], corners[t + 1], corners[t + 2]});
        if (level == LevelCorners::kAlongTheLine) {
          EXPECT_GT(turned * expected, 0);
        } else {
          EXPECT_GE(turned * expected, 0);
        }
        area += turned;
      }
      EXPECT_NEAR(area, expected, 1e-6 * std::fabs(expected));
    }
  }
}

// The first ear, at (3, 1), holds (8, 7) and (7, 8); a diagonal to (8, 7), the first of them in
// sweep order, would cross the edge from (10, 3) to (7, 8).
TEST_F(TriangulationTest, AnEarHoldingTwoVerticesIsCutAtTheFarthest) {
  const auto triangles = Triangulate({{{7, 8, 0}, {8, 7, 0}, {7, 10, 0}, {3, 1, 0}, {10, 3, 0}}});
  EXPECT_EQ(triangles.size(), 3u);
  EXPECT_FLOAT_EQ(TotalArea(triangles, 2), 25.5f);
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

// Rings that cross themselves, collapse to a point, hold no number or lie on each other still
// finish, with no more triangles than simple rings of their points would give (every ring joined
// in adds two; rings on each other join in again, so at most twice that), none of them with a
// corner that is not a number where the input has none; the bow-tie covers its lobes.
TEST_F(TriangulationTest, HostileRingsFinish) {
  struct Case {
    const char* name;
    std::vector<std::vector<Vector3>> rings;
    double area;  // covered, where known; negative where not
  };
  const Case cases[] = {
      // Its two lobes are covered, each twice: once by each of the ways round it is read.
      {"bow-tie", {{{0, 0, 0}, {2, 2, 0}, {2, 0, 0}, {0, 2, 0}}}, 4.0},
      {"star of crossings", {{{0, 0, 0}, {4, 4, 0}, {4, 0, 0}, {0, 4, 0}, {2, 5, 0}, {3, -1, 0}, {1, 3, 0}}}, -1},
      {"one point", {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}}, 0.0},
      {"not a number", {{{0, 0, 0}, {NAN, 1, 0}, {1, NAN, 0}, {1, 1, 0}}}, -1},
      {"rings on each other", {Square(0, 4, false), Square(1, 3, false), Square(0, 4, true)}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Triangle> triangles = Triangulate(c.rings);
    std::size_t points = 0;
    for (const auto& ring : c.rings) points += ring.size();
    EXPECT_LE(triangles.size(), 2 * (points + 2 * (c.rings.size() - 1) - 2));
    for (const Triangle& t : triangles) {
      if (c.rings[0][1].x != c.rings[0][1].x) continue;  // the input holds no number itself
      EXPECT_TRUE(IsFiniteVector(t.tip) && IsFiniteVector(t.next) && IsFiniteVector(t.previous));
    }
    if (c.area >= 0) {
      EXPECT_NEAR(TotalArea(triangles, 2), c.area, 1e-6);
    }
  }
}

}  // namespace

// Outlines come drawn either way round (font holes turn the other way from hand-drawn ones) and
// may nest an island in a hole: once oriented by their nesting, they are covered exactly once.
TEST_F(TriangulationTest, NestedRingsDrawnEitherWayAreCoveredOnceOriented) {
  std::mt19937 random(20261211);
  std::bernoulli_distribution either;
  for (int shape = 0; shape < 300; ++shape) {
    std::vector<std::vector<Vector3>> rings;
    rings.push_back(StarRing(random, 5 + shape % 17, 0, 0, 6, 10, either(random)));
    // The outer edges pass the centre at 3.2 or more; the hole's at 1.07 or more, around an island
    // within 0.6 every third shape.
    rings.push_back(StarRing(random, 6 + shape % 7, 0, 0, 1.6f, 2.4f, either(random)));
    if (shape % 3 == 0) rings.push_back(StarRing(random, 3 + shape % 5, 0, 0, 0.2f, 0.6f, either(random)));
    const double expected = std::fabs(RingArea(rings[0])) - std::fabs(RingArea(rings[1])) +
                            (rings.size() > 2 ? std::fabs(RingArea(rings[2])) : 0.0);
    SCOPED_TRACE(::testing::Message() << "shape " << shape);
    bool outerTurn = false;
    OrientNestedRings(rings, {0, 0, 1}, &outerTurn);
    EXPECT_EQ(outerTurn, RingArea(rings[0]) > 0);
    EXPECT_EQ(RingArea(rings[1]) > 0, !outerTurn);
    EXPECT_NEAR(TotalArea(Triangulate(rings), 2), expected, 1e-4 * expected);
  }
}

// A block's front end face: its outlines are curves through corners of three equal points,
// evaluated at the block's depth, where rounding can leave the first three points of a ring off
// its plane. Started at its sharpest turn, the face is covered once.
TEST_F(TriangulationTest, RingsStartedAtTheirSharpestTurnKeepTheirPlane) {
  const auto tripled = [](float low, float high, bool clockwise) {
    std::vector<Vector3> ring;
    for (const Vector3& corner : Square(low, high, clockwise)) ring.insert(ring.end(), 3, corner);
    return CBlockObject::Profile{ring, 8};
  };
  CBlockObject block;
  block.thickness = 6.0f;
  block.SetProfiles({tripled(3.5f, 15.5f, false), tripled(7.5f, 11.5f, true)});
  block.Rebuild();
  std::vector<std::vector<Vector3>> fronts;
  int which = 0;
  for (const CGeomObject* c = block.outlineCurves.head(); c != nullptr; c = c->next, which ^= 1) {
    if (which == 0) continue;
    const auto& curve = static_cast<const CCurveObject&>(*c);
    const std::vector<Vector3> extended =
        ExtendCurveEnds(curve.PointCount(), curve.points.data(), curve.startAttribute, curve.endAttribute, curve.closed);
    fronts.push_back(EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()), curve.stepsPerSpan));
    fronts.back().pop_back();
  }
  ASSERT_EQ(fronts.size(), 2u);
  StartAtSharpestTurn(&fronts[0], {0, 0, 1});
  EXPECT_NEAR(TotalArea(Triangulate(fronts), 2), 128.0, 1e-3);
}

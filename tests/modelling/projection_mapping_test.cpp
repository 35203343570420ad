#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "curve_fixture.h"
#include "kernel/bspline_curve.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "modelling/mapping_items.h"
#include "modelling/mapping_trees.h"
#include "modelling/projection_mapping.h"
#include "scene/undo_history.h"

namespace {

constexpr Vector3 kDown = {0, 1, 0};  // the "Top" and "Bottom" view vector: screen vertical

struct ViewCase {
  const char* name;
  int axes[3];
  int signs[3];
};
const ViewCase kFront = {"Front", {0, 1, 2}, {1, 1, 1}};
const ViewCase kTop = {"Top", {0, 2, 1}, {1, 1, -1}};

class ProjectionTest : public CurveTest {
 protected:
  void Show(const ViewCase& v) {
    view.SetAxes(v.axes[0], v.axes[1], v.axes[2], v.signs[0], v.signs[1], v.signs[2]);
    shown = v;
  }
  // A world point from view coordinates (horizontal, vertical, depth).
  Vector3 World(float h, float v, float d) const {
    Vector3 p;
    const float values[3] = {h, v, d};
    for (int i = 0; i < 3; ++i) SetAxisValue(&p, shown.axes[i], values[i] * shown.signs[i]);
    return p;
  }
  float Vertical(Vector3 p) const { return AxisValue(p, shown.axes[1]) * shown.signs[1]; }
  CCurveObject* Target(std::vector<Vector3> points, int steps, int closed = 0) {
    CCurveObject* target = AddCurve(std::move(points), kStateShown, closed);
    target->stepsPerSpan = steps;
    return target;
  }
  ViewCase shown = kFront;
};

bool SameBits(Vector3 a, Vector3 b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(ProjectionTest, SlopedLineSuperimposesOrTouches) {
  struct Case {
    const ViewCase* view;
    int justTouch;
    float landed;
  };
  // Target vertical = 2.5 + 0.5 horizontal; the item at horizontal 1 stands 0.5 above the plane.
  const Case cases[] = {{&kFront, 0, 3.5f}, {&kFront, 1, 3.0f}, {&kTop, 0, 3.5f}, {&kTop, 1, 3.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.view->name) + (c.justTouch ? " just touch" : " superimpose"));
    ResetScene();
    SetUp();
    Show(*c.view);
    CCurveObject* target = Target({World(-5, 0, 0), World(0, 2.5f, 0), World(5, 5, 0)}, 8);
    CCurveObject* item = AddCurve({World(1, 0.5f, 0.7f)});
    RunProjectMap(target, 0, c.justTouch, kDown, 0);
    const Vector3 p = item->points[0];
    EXPECT_NEAR(Vertical(p), c.landed, 1e-4);
    EXPECT_NEAR(AxisValue(p, shown.axes[0]) * shown.signs[0], 1.0f, 1e-5);
    EXPECT_NEAR(AxisValue(p, shown.axes[2]) * shown.signs[2], 0.7f, 1e-5);
  }
}

// The closed curve's polyline in double precision: the uniform cubic B-spline at every 1/8 span.
std::vector<std::array<double, 2>> CirclePolyline(const std::vector<Vector3>& points) {
  const int n = static_cast<int>(points.size());
  std::vector<std::array<double, 2>> line;
  for (int span = 0; span < n; ++span) {
    for (int step = 0; step < 8; ++step) {
      const double t = step / 8.0;
      const double w[4] = {(1 - t) * (1 - t) * (1 - t) / 6, (3 * t * t * t - 6 * t * t + 4) / 6,
                           (-3 * t * t * t + 3 * t * t + 3 * t + 1) / 6, t * t * t / 6};
      double x = 0, y = 0;
      for (int k = 0; k < 4; ++k) {
        const Vector3& p = points[(span + n - 1 + k) % n];
        x += w[k] * p.x;
        y += w[k] * p.y;
      }
      line.push_back({x, y});
    }
  }
  line.push_back(line.front());
  return line;
}

TEST_F(ProjectionTest, CircleTopLandsOnUpperArcAndBottomOnLower) {
  std::vector<Vector3> ring;
  for (int i = 0; i < 8; ++i) {
    const double a = i * 2 * M_PI / 8 + 0.3;
    ring.push_back({static_cast<float>(10 * std::cos(a)), static_cast<float>(10 * std::sin(a)), 0});
  }
  const auto polyline = CirclePolyline(ring);
  const std::vector<float> xs = {-6.3f, -2.0f, 0.05f, 3.7f, 7.1f};
  for (const int lowest : {0, 1}) {
    SCOPED_TRACE(lowest ? "Bottom" : "Top");
    ResetScene();
    SetUp();
    CCurveObject* target = Target(ring, 8, 1);
    std::vector<Vector3> points;
    for (float x : xs) points.push_back({x, 0.25f, 0});
    CCurveObject* item = AddCurve(points);
    RunProjectMap(target, lowest, 1, kDown, 0);
    for (std::size_t i = 0; i < xs.size(); ++i) {
      double best = lowest ? 1e9 : -1e9;
      for (std::size_t k = 0; k + 1 < polyline.size(); ++k) {
        const auto& [ax, ay] = polyline[k];
        const auto& [bx, by] = polyline[k + 1];
        if ((xs[i] - ax) * (xs[i] - bx) > 0 || ax == bx) continue;
        const double y = ay + (xs[i] - ax) / (bx - ax) * (by - ay);
        best = lowest ? std::min(best, y) : std::max(best, y);
      }
      EXPECT_NEAR(item->points[i].y, best, 1e-3) << "x " << xs[i];
      EXPECT_EQ(item->points[i].y > 0, lowest == 0);
    }
  }
}

// Segments carry only the items under them: not a neighbour's steep extension, not the line
// beyond the curve's end, and a vertical segment carries none.
TEST_F(ProjectionTest, ItemsTakeOnlyTheSegmentUnderThem) {
  struct Case {
    const char* name;
    std::vector<Vector3> target;
  };
  const Case cases[] = {
      {"vertical step", {{-2, 0, 0}, {1, 0, 0}, {1, 5, 0}, {2, 5, 0}}},
      {"near-vertical flank", {{-2, 0, 0}, {1, 0, 0}, {1.0002f, 5, 0}, {2, 5, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetScene();
    SetUp();
    CCurveObject* target = Target(c.target, 0);
    // Dense items: leaves below 0.1 wide hold them together with their neighbours.
    CCurveObject* item =
        AddCurve({{0.97f, 9, 0}, {0.99f, 9, 0}, {1.03f, 9, 0}, {2.04f, 9, 0}, {2.0f, 9, 0}});
    const Vector3 beyond = item->points[3];
    RunProjectMap(target, 0, 1, kDown, 0);
    EXPECT_NEAR(item->points[0].y, 0.0f, 1e-4);
    EXPECT_NEAR(item->points[1].y, 0.0f, 1e-4);
    EXPECT_NEAR(item->points[2].y, 5.0f, 1e-4);
    EXPECT_TRUE(SameBits(item->points[3], beyond));
    EXPECT_NEAR(item->points[4].y, 5.0f, 1e-4);
  }
}

// A round profile drawn finely: dense items on its flank land on the segment under them.
TEST_F(ProjectionTest, DenseItemsOnARoundFlankLandOnTheProfile) {
  std::vector<Vector3> arc;
  for (int i = 0; i <= 64; ++i) {
    const double a = M_PI * i / 64;
    arc.push_back({static_cast<float>(-10 * std::cos(a)), static_cast<float>(10 * std::sin(a)), 0});
  }
  CCurveObject* target = Target(arc, 0);
  std::vector<Vector3> points;
  for (int i = 0; i < 40; ++i) points.push_back({-9.99f + 0.01f * i, 20, 0});
  CCurveObject* item = AddCurve(points);
  RunProjectMap(target, 0, 1, kDown, 0);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double x = points[i].x;
    double expected = -1e9;
    for (std::size_t k = 0; k + 1 < arc.size(); ++k) {
      const double ax = arc[k].x, bx = arc[k + 1].x;
      if (x < ax || x > bx || bx - ax <= 1e-4) continue;
      expected = std::max(expected, arc[k].y + (x - ax) / (bx - ax) * (arc[k + 1].y - arc[k].y));
    }
    EXPECT_NEAR(item->points[i].y, expected, 1e-4) << "x " << x;
  }
}

TEST_F(ProjectionTest, NoDeformObjectMovesAsABodyAndMarkedPointsAlone) {
  CCurveObject* target = Target({{-20, -20, 0}, {0, 0, 0}, {20, 20, 0}}, 8);
  CCurveObject* body = AddCurve({{2, 10, 0}, {3, 10, 0}});
  body->flags = kFlagNoDeform;
  body->orientation = kIdentityMatrix;
  SetMatrixRow(&body->orientation, 3, {2, 10, 0});
  CCurveObject* marked = AddCurve({{-3, 8, 0}, {-1, 8, 1}, {4, 8, 0}}, kStateShown);
  marked->marks = {1, 0, 1};
  const Vector3 unmarked = marked->points[1];
  const std::vector<Vector3> bodyBefore = body->points;
  RunProjectMap(target, 0, 1, kDown, 0);

  const float r = std::sqrt(0.5f);
  EXPECT_NEAR(body->orientation.m[12], 2.0f, 1e-4);
  EXPECT_NEAR(body->orientation.m[13], 2.0f, 1e-4);
  const Vector3 xAxis = MatrixRow(body->orientation, 0);
  EXPECT_NEAR(xAxis.x, r, 1e-4);
  EXPECT_NEAR(xAxis.y, r, 1e-4);
  // Its points moved with the frame: the first to the frame's origin, the next along its turned x.
  EXPECT_NEAR(body->points[0].x, 2.0f, 1e-4);
  EXPECT_NEAR(body->points[0].y, 2.0f, 1e-4);
  EXPECT_NEAR(body->points[1].x, 2.0f + r, 1e-4);
  EXPECT_NEAR(body->points[1].y, 2.0f + r, 1e-4);

  EXPECT_NEAR(marked->points[0].y, -3.0f, 1e-4);
  EXPECT_NEAR(marked->points[2].y, 4.0f, 1e-4);
  EXPECT_TRUE(SameBits(marked->points[1], unmarked));

  // One undo step gives every object back exactly.
  EXPECT_EQ(UndoCommand(), 1);
  EXPECT_EQ(body->points, bodyBefore);
  EXPECT_EQ(MatrixRow(body->orientation, 0), (Vector3{1, 0, 0}));
  EXPECT_EQ(marked->points[0], (Vector3{-3, 8, 0}));
}

class SurfaceProjectionTest : public ProjectionTest {
 protected:
  CSurfaceObject* AddGrid(int rows, int cols, const std::vector<Vector3>& points, int state,
                          int closedV = 0) {
    auto surface = std::make_unique<CSurfaceObject>();
    EXPECT_TRUE(surface->SetGrid(rows, cols, points));
    surface->closedV = closedV;
    CSurfaceObject* added = AddObject(surface, 1);
    added->ObjectState = state;
    document.Clear();
    return added;
  }
};

// Control net of the plane y = 0.5 x + 0.2 z + 1 over [-6, 6]^2.
std::vector<Vector3> TiltedPlane() {
  std::vector<Vector3> grid;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const float x = -6.0f + 4.0f * r, z = -6.0f + 4.0f * c;
      grid.push_back({x, 0.5f * x + 0.2f * z + 1.0f, z});
    }
  }
  return grid;
}

TEST_F(SurfaceProjectionTest, TiltedPlaneCarriesPointsAndFrames) {
  CSurfaceObject* target = AddGrid(4, 4, TiltedPlane(), kStateShown);
  CCurveObject* item = AddCurve({{-3, 9, 2}, {0.3f, 9, -1}, {4, 9, 4.5f}});
  CCurveObject* body = AddCurve({{1, 12, 1}});
  body->flags = kFlagNoDeform;
  SetMatrixRow(&body->orientation, 3, {1, 12, 1});
  RunProjectMap(target, 0, 1, kDown, 0);
  for (const Vector3& p : item->points) EXPECT_NEAR(p.y, 0.5f * p.x + 0.2f * p.z + 1.0f, 1e-4);
  const Vector3 normal = Normalize({-0.5f, 1.0f, -0.2f});
  const Vector3 up = MatrixRow(body->orientation, 1);
  EXPECT_NEAR(up.x, normal.x, 1e-4);
  EXPECT_NEAR(up.y, normal.y, 1e-4);
  EXPECT_NEAR(up.z, normal.z, 1e-4);
  EXPECT_NEAR(body->orientation.m[13], 0.5f + 0.2f + 1.0f, 1e-4);
}

// A tube around the x axis: each vertical line meets it twice. The reference is a brute-force
// search in double precision over every triangle of the same tessellation.
TEST_F(SurfaceProjectionTest, TubeTopTakesHighestAndBottomLowest) {
  std::vector<Vector3> grid;
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 8; ++c) {
      const double a = c * 2 * M_PI / 8;
      grid.push_back({-8.0f + 4.0f * r, static_cast<float>(4 * std::sin(a) + 0.1 * r * r),
                      static_cast<float>(4 * std::cos(a))});
    }
  }
  const std::vector<Vector3> items = {{-3, 20, 0.5f}, {0.7f, 20, -2.1f}, {5, 20, 1.9f}};
  for (const int lowest : {0, 1}) {
    SCOPED_TRACE(lowest ? "Bottom" : "Top");
    ResetScene();
    SetUp();
    CSurfaceObject* target = AddGrid(5, 8, grid, kStateShown, 1);
    CCurveObject* item = AddCurve(items);
    RunProjectMap(target, lowest, 1, kDown, 0);

    std::vector<Vector3> net, points;
    int nr = 0, nc = 0, rows = 0, cols = 0;
    ExtendSurfaceNet(grid.data(), 5, 8, 0, 0, 0, 0, 0, 1, &net, &nr, &nc);
    TessellateSurface(kBSplineBasis, net.data(), nr, nc, &points, nullptr, nullptr, &rows, &cols,
                      8, 8, 0);
    for (int r = 0; r < rows; ++r) points[std::size_t(r) * cols + cols - 1] = points[std::size_t(r) * cols];
    for (std::size_t i = 0; i < items.size(); ++i) {
      const double x = items[i].x, z = items[i].z;
      double best = lowest ? 1e9 : -1e9;
      for (int r = 0; r + 1 < rows; ++r) {
        for (int c = 0; c + 1 < cols; ++c) {
          const Vector3 A = points[std::size_t(r) * cols + c], B = points[std::size_t(r + 1) * cols + c],
                        C = points[std::size_t(r) * cols + c + 1], D = points[std::size_t(r + 1) * cols + c + 1];
          for (const auto& [O, P, Q] : {std::array{A, B, C}, std::array{D, B, C}}) {
            const double e1x = P.x - O.x, e1z = P.z - O.z, e2x = Q.x - O.x, e2z = Q.z - O.z;
            const double det = e1x * e2z - e2x * e1z;
            if (std::fabs(det) < 1e-9) continue;
            const double s = ((x - O.x) * e2z - (z - O.z) * e2x) / det;
            const double t = (e1x * (z - O.z) - e1z * (x - O.x)) / det;
            if (s < -1e-7 || t < -1e-7 || s + t > 1 + 1e-7) continue;
            const double y = O.y + s * (P.y - O.y) + t * (Q.y - O.y);
            best = lowest ? std::min(best, y) : std::max(best, y);
          }
        }
      }
      EXPECT_NEAR(item->points[i].y, best, 2e-3) << i;
      EXPECT_NEAR(item->points[i].x, x, 1e-4);
    }
  }
}

TEST_F(SurfaceProjectionTest, KeptSectionsMoveRigidlyOntoTheTarget) {
  CSurfaceObject* target = AddGrid(4, 4, TiltedPlane(), kStateShown);
  std::vector<Vector3> sheet;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 5; ++c) sheet.push_back({-2.0f + r * 2.0f, 8.0f + 0.3f * c, -2.0f + c});
  }
  CSurfaceObject* kept = AddGrid(3, 5, sheet, kStateSelected);
  RunProjectMap(target, 0, 1, kDown, 1);
  // Rows are the sections here (the middle column's box is the smaller one).
  for (int r = 0; r < 3; ++r) {
    Vector3 centroid;
    for (int c = 0; c < 5; ++c) {
      centroid = VecAdd(centroid, kept->points[r * 5 + c]);
      for (int k = c + 1; k < 5; ++k) {
        const Vector3 a = VecSub(kept->points[r * 5 + c], kept->points[r * 5 + k]);
        const Vector3 b = VecSub(sheet[r * 5 + c], sheet[r * 5 + k]);
        EXPECT_NEAR(std::sqrt(VecDot(a, a)), std::sqrt(VecDot(b, b)), 1e-4);
      }
    }
    centroid = VecScale(centroid, 0.2f);
    EXPECT_NEAR(centroid.y, 0.5f * centroid.x + 0.2f * centroid.z + 1.0f, 1e-3) << r;
  }
}

// Items through the quadtree get the same depth, anchor and frame, to the bit, as through one leaf
// holding every item, where each cell tries every item in list order. Seeded items, some on the
// tessellation's own vertices and edges where cells tie, some tighter than a leaf, on a seeded
// jittered, bumpy net; highest and lowest hit, superimposed and touching.
TEST(ProjectCellTest, ThroughTheTreeAsEveryItemAgainstEveryCell) {
  std::mt19937 random(47);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  constexpr int kSide = 30;
  std::vector<Vector3> net;
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      const float x = -5.2f + 10.4f * (r + 0.3f * unit(random)) / (kSide - 1);
      const float y = -5.2f + 10.4f * (c + 0.3f * unit(random)) / (kSide - 1);
      net.push_back({x, y, std::sin(x) * std::cos(y) + 0.2f * unit(random)});
    }
  }
  std::vector<Vector3> positions;
  for (int i = 0; i < 4000; ++i) {
    positions.push_back({-5.0f + 10.0f * unit(random), -5.0f + 10.0f * unit(random), unit(random)});
  }
  for (int i = 0; i < 300; ++i) {
    const Vector3& a = net[random() % net.size()];
    const Vector3& b = net[random() % net.size()];
    positions.push_back({a.x, a.y, 0.5f});
    positions.push_back({a.x * 0.5f + b.x * 0.5f, a.y * 0.5f + b.y * 0.5f, 0.5f});
  }
  for (int i = 0; i < 200; ++i) positions.push_back({1.0f + i * 1e-4f, -2.0f, 0.3f});

  for (const int lowest : {0, 1}) {
    for (const int touch : {0, 1}) {
      SCOPED_TRACE(testing::Message() << "lowest " << lowest << " touch " << touch);
      Mapping = MappingState();
      Mapping.F = Mapping.FTransposed = kIdentityMatrix;
      Mapping.lowestHit = lowest;
      Mapping.justTouch = touch;
      // Each side: its items, anchors and frames; every third item carries a frame.
      struct Side {
        CPointBatchPool pool;
        std::vector<CPointBatch*> items;
        std::vector<Vector3> anchors;
        std::vector<Matrix4> frames;
      } sides[2];
      float minSweep = 1e10f, minCross = 1e10f, maxSweep = -1e10f, maxCross = -1e10f;
      for (const Vector3& p : positions) ExtendRange2(&minSweep, &minCross, &maxSweep, &maxCross, p);
      for (Side& side : sides) {
        side.anchors = positions;
        side.frames.assign(positions.size(), kIdentityMatrix);
        for (std::size_t i = 0; i < positions.size(); ++i) {
          CPointBatch* item = side.pool.Add();
          item->local = positions[i];
          item->anchor.point = &side.anchors[i];
          if (i % 3 == 0) item->frame = &side.frames[i];
          item->bestDepth = lowest ? 1e10f : -1e10f;
          if (!side.items.empty()) side.items.back()->next = item;
          side.items.push_back(item);
        }
      }
      const auto tree = BuildQuadTree(sides[0].items[0], minSweep, minCross, maxSweep, maxCross);
      ASSERT_GT(tree->nodes.size(), 100u);
      QuadTree oneLeaf;
      QuadTreeNode root;
      root.minSweep = minSweep;
      root.minCross = minCross;
      root.maxSweep = maxSweep;
      root.maxCross = maxCross;
      root.end = static_cast<std::uint32_t>(positions.size());
      oneLeaf.nodes.push_back(root);
      oneLeaf.items = sides[1].items;
      for (const Vector3& p : positions) {
        oneLeaf.sweeps.push_back(p.x);
        oneLeaf.crosses.push_back(p.y);
        oneLeaf.bestDepths.push_back(lowest ? 1e10f : -1e10f);
      }
      const auto at = [&](int r, int c) { return net[std::size_t(r) * kSide + c]; };
      for (int r = 0; r + 1 < kSide; ++r) {
        for (int c = 0; c + 1 < kSide; ++c) {
          ProjectCell(*tree, at(r, c), at(r + 1, c), at(r, c + 1), at(r + 1, c + 1));
          ProjectCell(oneLeaf, at(r, c), at(r + 1, c), at(r, c + 1), at(r + 1, c + 1));
        }
      }
      int taken = 0;
      for (std::size_t i = 0; i < positions.size(); ++i) {
        const CPointBatch& a = *sides[0].items[i];
        const CPointBatch& b = *sides[1].items[i];
        ASSERT_EQ(a.taken, b.taken) << i;
        taken += a.taken ? 1 : 0;
        EXPECT_EQ(std::memcmp(&a.bestDepth, &b.bestDepth, sizeof(float)), 0) << i;
        EXPECT_TRUE(SameBits(sides[0].anchors[i], sides[1].anchors[i])) << i;
        EXPECT_EQ(std::memcmp(&sides[0].frames[i], &sides[1].frames[i], sizeof(Matrix4)), 0) << i;
        EXPECT_EQ(std::memcmp(&a.rotation, &b.rotation, sizeof(Matrix4)), 0) << i;
      }
      EXPECT_GT(taken, 4000);
    }
  }
}

}  // namespace

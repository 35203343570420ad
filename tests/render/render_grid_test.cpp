#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/surface_tessellation.h"
#include "program_state.h"
#include "render/render_grid_node.h"
#include "scan_fixtures.h"

namespace {

class RenderGridTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    ShadingMode = 2;
  }
};

struct Net {
  std::vector<Vector3> points;
  int rows = 0;
  int columns = 0;
};

// The control net extended as the tree builder extends it.
Net Extend(const std::vector<Vector3>& grid, int rows, int columns, int endAttributes, int closedU) {
  Net net;
  ExtendSurfaceNet(grid.data(), rows, columns, endAttributes, endAttributes, closedU, endAttributes, endAttributes,
                   0, &net.points, &net.rows, &net.columns);
  return net;
}

CRenderNode* GridNode(const Net& net, int steps, int closedU) {
  return new CRenderGridNode(net.points, net.rows, net.columns, steps, steps, closedU, 0);
}

float Plane(float x, float y) { return 10 + 0.5f * x - 0.25f * y; }

// Rows at y 1.5, 3.5, 7.5 and 7.5, columns at x 2.5 .. 14.5, in a tilted plane. The repeated last
// row keeps the end's phantom row at 7.5 too, so the largest y of the extended net is 7.5, on a
// later point than the first, and the surface reaches it. The back net lies at depth 0 with its columns the other way round, so it faces back.
std::vector<Vector3> FlatGrid(bool back = false) {
  static constexpr float kRowY[] = {1.5f, 3.5f, 7.5f, 7.5f};
  std::vector<Vector3> grid;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      const float x = back ? 14.5f - 4.0f * j : 2.5f + 4.0f * j, y = kRowY[i];
      grid.push_back({x, y, back ? 0.0f : Plane(x, y)});
    }
  }
  return grid;
}

// A back face behind the whole net, wound against the grid's triangles.
CRenderNode* BackFace() {
  return PolygonNode({{{{0, 0, 0}, {20, 10, 0}, {0, 10, 0}}}, {{{0, 0, 0}, {20, 0, 0}, {20, 10, 0}}}});
}

TEST_F(RenderGridTest, FlatNetGivesThePlaneDepthOnEveryRowItCovers) {
  const Net net = Extend(FlatGrid(), 4, 4, 0, 0);
  const Net back = Extend(FlatGrid(true), 4, 4, 0, 0);
  // A union of one object's pieces closes the surface with a back net; the union above it drops
  // its children when their rows end, so the rows the nets take at construction must reach row 7.
  const PixelLists lists =
      ScanTree(Group(2, {Group(1, {GridNode(net, 3, 0), GridNode(back, 3, 0)})}), 0, 12, 0, 20);
  for (int row = 2; row <= 7; ++row) {
    for (int column = 3; column <= 14; ++column) {
      const auto it = lists.find({row, column});
      ASSERT_NE(it, lists.end()) << row << "," << column;
      ASSERT_EQ(it->second.size(), 2u);
      EXPECT_NEAR(it->second[0].depth, Plane(column, row), 1e-4);
      EXPECT_EQ(it->second[1].depth, 0.0f);
    }
  }
  EXPECT_EQ(lists.size(), 6u * 12u);
}

// A tube around an axis along the columns, its seam at the given angle.
Net Tube(double seamAngle) {
  constexpr int kAround = 12;
  constexpr int kAlong = 4;
  std::vector<Vector3> grid;
  for (int i = 0; i < kAround; ++i) {
    const double a = seamAngle + 2 * std::numbers::pi * i / kAround;
    for (int j = 0; j < kAlong; ++j) {
      grid.push_back({static_cast<float>(3.5 + 5.5 * j), static_cast<float>(15.3 + 8 * std::cos(a)),
                      static_cast<float>(30 + 8 * std::sin(a))});
    }
  }
  return Extend(grid, kAround, kAlong, 0, 1);
}

TEST_F(RenderGridTest, ClosedTubeGivesOnePairEverywhereInItsOutline) {
  for (const double seam : {0.0, 0.4, std::numbers::pi / 2, std::numbers::pi / 2 + 0.013, 2.0, 3.0 * std::numbers::pi / 2}) {
    const PixelLists lists = ScanTree(Group(2, {GridNode(Tube(seam), 4, 1)}), 0, 30, 0, 25);
    for (int row = 0; row <= 30; ++row) {
      for (int column = 0; column <= 25; ++column) {
        const auto it = lists.find({row, column});
        const double off = std::fabs(row - 15.3);
        // The curve of a 12-gon of radius 8 stays above 7.6; its silhouette polygon above 7.5.
        if (off < 7.4 && column >= 4 && column <= 19) {
          ASSERT_NE(it, lists.end()) << seam << ": " << row << "," << column;
        }
        if (it == lists.end()) continue;
        EXPECT_LT(off, 8.0) << seam;
        ASSERT_EQ(it->second.size(), 2u) << seam << ": " << row << "," << column;
        EXPECT_GT(it->second[0].depth, 30.0f);
        EXPECT_LT(it->second[1].depth, 30.0f);
      }
    }
  }
}

TEST_F(RenderGridTest, ClosedSeamIsOneEdge) {
  // Points on the two sides of the seam are the same floats, not neighbours a few bits apart.
  for (const double seam : {0.0, 0.4, 2.0}) {
    ++RenderNestingCount;
    RenderTreeGuard guard(GridNode(Tube(seam), 4, 1));
    guard.get()->BeginAtRow(guard.get()->firstRow);
    std::vector<Vector3> points;
    for (const PolygonVertex* v = guard.get()->Triangles(); v != nullptr; v = v->next) points.push_back({v->x, v->y, v->z});
    ASSERT_FALSE(points.empty());
    for (const Vector3& a : points) {
      for (const Vector3& b : points) {
        const bool near = std::fabs(a.x - b.x) < 1e-3f && std::fabs(a.y - b.y) < 1e-3f && std::fabs(a.z - b.z) < 1e-3f;
        if (near) {
          ASSERT_EQ(a, b) << seam;
        }
      }
    }
  }
}

TEST_F(RenderGridTest, NestedGridIsBuiltOnce) {
  const auto scan = [](CRenderNode* root, std::size_t* vertexBlocks) {
    PixelLists lists;
    DriveTree(root, 0, 30, 0, 25, [&](int row, int column, const CrossingEntry* e) {
      PoolUsage usage[kRenderPoolCount];
      GetRenderPoolUsage(usage);
      *vertexBlocks = std::max(*vertexBlocks, usage[4].blocks);
      for (; e != nullptr; e = e->next) lists[{row, column}].push_back({e->depth, e->facing, nullptr});
    });
    return lists;
  };
  std::size_t bareBlocks = 0;
  std::size_t nestedBlocks = 0;
  // A root is only advanced, so the plain grid stands under one union, as every tree's objects do.
  const PixelLists bare = scan(Group(2, {GridNode(Tube(0.3), 8, 1)}), &bareBlocks);
  const PixelLists nested = scan(Group(2, {Group(2, {Group(2, {GridNode(Tube(0.3), 8, 1)})})}), &nestedBlocks);
  EXPECT_FALSE(bare.empty());
  EXPECT_EQ(nested, bare);
  EXPECT_EQ(nestedBlocks, bareBlocks);
}

TEST_F(RenderGridTest, NetsThatGiveNoTessellationGiveNoCrossings) {
  // 2 x 3 with end attributes 1: no phantom points, so still below 4 x 4 once extended.
  std::vector<Vector3> small = {{1, 1, 5}, {5, 1, 5}, {9, 1, 5}, {1, 6, 5}, {5, 6, 5}, {9, 6, 5}};
  const Net tiny = Extend(small, 2, 3, 1, 0);
  EXPECT_TRUE(ScanTree(Group(1, {GridNode(tiny, 4, 0), BackFace()}), 0, 12, 0, 20).empty());
  // Steps that would pass the tessellation's point limit.
  const Net net = Extend(FlatGrid(), 4, 4, 0, 0);
  const int steps = static_cast<int>(std::sqrt(static_cast<double>(kMaxTessellationPoints))) + 1;
  EXPECT_TRUE(ScanTree(Group(1, {GridNode(net, steps, 0), BackFace()}), 0, 12, 0, 20).empty());
}

TEST_F(RenderGridTest, ConeApexNormalComesFromTheNeighbouringColumn) {
  ShadingMode = 0;
  RenderProjection = kIdentityMatrix;
  // Rows go around, columns from the apex out, so every U tangent at the apex is zero.
  constexpr int kAround = 8;
  std::vector<Vector3> grid;
  for (int i = 0; i < kAround; ++i) {
    const double a = 2 * std::numbers::pi * i / kAround;
    for (int j = 0; j < 4; ++j) {
      grid.push_back({static_cast<float>(20 + 3 * j * std::cos(a)), static_cast<float>(20 + 3 * j * std::sin(a)),
                      static_cast<float>(40 - 4 * j)});
    }
  }
  const Net net = Extend(grid, kAround, 4, 0, 1);
  ++RenderNestingCount;
  RenderTreeGuard guard(GridNode(net, 2, 1));
  guard.get()->BeginAtRow(guard.get()->firstRow);

  std::vector<Vector3> points, tangentsU, tangentsV;
  int rows = 0, columns = 0;
  TessellateSurface(kBSplineBasis, net.points.data(), net.rows, net.columns, &points, &tangentsU, &tangentsV, &rows,
                    &columns, 2, 2, 1);
  ASSERT_TRUE(IsDegenerateTangent(tangentsU[0]));
  int apexVertices = 0;
  for (const PolygonVertex* v = guard.get()->Triangles(); v != nullptr; v = v->next) {
    if (std::fabs(v->x - 20) > 1e-4f || std::fabs(v->y - 20) > 1e-4f || std::fabs(v->z - 40) > 1e-4f) continue;
    ++apexVertices;
    const Vector3 n = v->attributes->normal;
    EXPECT_GT(VecDot(n, n), 1e-6f);
    // Some row's neighbour U tangent crossed with that row's apex V tangent.
    bool matched = false;
    for (int r = 0; r < rows; ++r) {
      const std::size_t k = static_cast<std::size_t>(r) * columns;
      const Vector3 expected = VecCross(tangentsU[k + 1], tangentsV[k]);
      matched = matched || (std::fabs(n.x - expected.x) < 1e-3f && std::fabs(n.y - expected.y) < 1e-3f &&
                            std::fabs(n.z - expected.z) < 1e-3f);
    }
    EXPECT_TRUE(matched) << n.x << " " << n.y << " " << n.z;
  }
  EXPECT_GT(apexVertices, 0);
}

}  // namespace

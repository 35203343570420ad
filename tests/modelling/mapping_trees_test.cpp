#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "modelling/mapping_trees.h"
#include "program_state.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class MappingTreeTest : public LumidrexTest {
 protected:
  // Items at the given sweep (x) and cross (y) coordinates, in list order, with their range.
  CPointBatch* List(const std::vector<Vector3>& positions) {
    CPointBatch* head = nullptr;
    CPointBatch** tail = &head;
    for (const Vector3& p : positions) {
      CPointBatch* item = pool.Add();
      item->local = p;
      *tail = item;
      tail = &item->next;
      all.push_back(item);
    }
    return head;
  }
  std::unique_ptr<AxisTreeNode> AxisRoot(const std::vector<Vector3>& positions) {
    auto root = std::make_unique<AxisTreeNode>();
    root->items = List(positions);
    for (const Vector3& p : positions) ExtendRange1(&root->lo, &root->hi, p);
    return root;
  }
  std::unique_ptr<QuadTree> Quad(const std::vector<Vector3>& positions) {
    float minSweep = 1e10f, minCross = 1e10f, maxSweep = -1e10f, maxCross = -1e10f;
    for (const Vector3& p : positions) ExtendRange2(&minSweep, &minCross, &maxSweep, &maxCross, p);
    return BuildQuadTree(List(positions), minSweep, minCross, maxSweep, maxCross);
  }
  CPointBatchPool pool;
  std::vector<CPointBatch*> all;
};

int Depth(const AxisTreeNode* node) {
  if (node == nullptr) return 0;
  return 1 + std::max(Depth(node->lower.get()), Depth(node->upper.get()));
}

int LeafCount(const QuadTree& tree) {
  int count = 0;
  for (const QuadTreeNode& node : tree.nodes) count += node.first != node.end ? 1 : 0;
  return count;
}

// Items found by a walk over the whole finite line.
std::vector<const CPointBatch*> Found(const AxisTreeNode* root, float start, float end) {
  std::vector<const CPointBatch*> found;
  WalkAxisTree(root, start, end, [&](CPointBatch* item) { found.push_back(item); });
  return found;
}

TEST_F(MappingTreeTest, AxisTreeSplitsAndStopsOnAnyInput) {
  struct Case {
    const char* name;
    std::vector<float> sweeps;
    bool leafRoot;
    float split;  // the lower child's first item below, the upper's at or above (when split)
  };
  const Case cases[] = {
      {"one coordinate", {2.0f, 2.0f, 2.0f}, true, 0},
      {"0 and 0.1", {0.0f, 0.1f}, false, 0.05f},
      {"single item", {-1e6f}, true, 0},
      {"one float step at 2^20", {1048576.0f, 1048576.125f}, true, 0},
      {"1e7 and 1e7 + 1", {1e7f, 1e7f + 1.0f}, true, 0},
      {"two at infinity", {kInf, kInf}, true, 0},
      {"a NaN among finite items", {0.0f, kNaN, 3.0f, 3.05f}, false, 1.5f},
      {"opposite float extremes", {-3e38f, 3e38f, 3.4e38f}, false, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Vector3> positions;
    for (float s : c.sweeps) positions.push_back({s, 0, 0});
    auto root = AxisRoot(positions);
    BuildAxisTree(root.get());
    EXPECT_EQ(root->items != nullptr, c.leafRoot);
    EXPECT_LT(Depth(root.get()), 140);
    if (!c.leafRoot) {
      ASSERT_NE(root->lower, nullptr);
      ASSERT_NE(root->upper, nullptr);
      EXPECT_LE(root->lower->hi, c.split);
      EXPECT_GE(root->upper->lo, c.split);
    }
    // Every finite item is found by a walk over its own coordinate.
    for (const CPointBatch* item : all) {
      if (!std::isfinite(item->local.x)) continue;
      const auto found = Found(root.get(), item->local.x, item->local.x);
      EXPECT_NE(std::find(found.begin(), found.end(), item), found.end());
    }
    all.clear();
  }
}

TEST_F(MappingTreeTest, QuadTreeSplitsAndStopsOnAnyInput) {
  struct Case {
    const char* name;
    std::vector<Vector3> positions;
    int leaves;
  };
  const Case cases[] = {
      {"one point", {{1, 1, 0}, {1, 1, 5}, {1, 1, 0}}, 1},
      {"0 and 0.1 along cross", {{0, 0, 0}, {0, 0.1f, 0}}, 2},
      {"single item", {{5, 5, 0}}, 1},
      {"one float step at 2^20", {{1048576.0f, 0, 0}, {1048576.125f, 0, 0}}, 1},
      {"1e7 apart by one", {{1e7f, 1e7f, 0}, {1e7f + 1, 1e7f + 1, 0}}, 1},
      {"two at infinity", {{kInf, 0, 0}, {kInf, 0, 0}}, 1},
      {"NaN among finite", {{0, 0, 0}, {kNaN, 1, 0}, {1, 1, 0}, {1, 0, 0}}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto tree = Quad(c.positions);
    EXPECT_EQ(LeafCount(*tree), c.leaves);
    for (const CPointBatch* item : all) {
      if (!IsFiniteVector(item->local)) continue;
      std::vector<const CPointBatch*> found;
      WalkQuadTree(*tree, item->local.x, item->local.y, item->local.x, item->local.y,
                   [&](CPointBatch* hit) { found.push_back(hit); });
      EXPECT_NE(std::find(found.begin(), found.end(), item), found.end());
    }
    all.clear();
  }
}

TEST_F(MappingTreeTest, WalksVisitLeavesInTreeOrderAndTouchingCounts) {
  // Leaves {0, 0.05}, {1}, {2}: the lower child first, items in list order.
  auto root = AxisRoot({{1, 0, 0}, {0, 0, 0}, {2, 0, 0}, {0.05f, 0, 0}});
  BuildAxisTree(root.get());
  std::vector<float> order;
  WalkAxisTree(root.get(), -5, 5, [&](CPointBatch* item) { order.push_back(item->local.x); });
  EXPECT_EQ(order, (std::vector<float>{0, 0.05f, 1, 2}));
  // A segment ending exactly at a leaf's lo visits it.
  EXPECT_EQ(Found(root.get(), 1.5f, 2.0f).size(), 1u);
  EXPECT_TRUE(Found(root.get(), 2.0001f, 3.0f).empty());

  // Quadtree children in the order (below, below), (above, below), (below, above), (above, above).
  const auto quad = Quad({{1, 1, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 0}});
  std::vector<Vector3> visited;
  WalkQuadTree(*quad, 0, 0, 1, 1, [&](CPointBatch* item) { visited.push_back(item->local); });
  EXPECT_EQ(visited, (std::vector<Vector3>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}));
}

// Seeded random items: a walk over any interval or box finds at least every item inside it, as a
// brute-force scan does.
TEST_F(MappingTreeTest, WalksFindEveryItemABruteForceScanFinds) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> coordinate(-20.0f, 20.0f);
  std::vector<Vector3> positions;
  for (int i = 0; i < 3000; ++i) positions.push_back({coordinate(random), coordinate(random), 0});
  // Clusters tighter than a leaf.
  for (int i = 0; i < 200; ++i) positions.push_back({3.0f + i * 1e-4f, -2.0f, 0});
  auto axis = AxisRoot(positions);
  std::vector<CPointBatch*> axisItems = all;
  all.clear();
  const auto quad = Quad(positions);
  std::vector<CPointBatch*> quadItems = all;
  BuildAxisTree(axis.get());
  for (int query = 0; query < 200; ++query) {
    float a = coordinate(random), b = coordinate(random), c = coordinate(random),
          d = coordinate(random);
    if (a > b) std::swap(a, b);
    if (c > d) std::swap(c, d);
    const auto walked = Found(axis.get(), a, b);
    const std::set<const CPointBatch*> found(walked.begin(), walked.end());
    for (const CPointBatch* item : axisItems) {
      if (item->local.x >= a && item->local.x <= b) {
        EXPECT_TRUE(found.count(item));
      }
    }
    std::set<const CPointBatch*> boxFound;
    WalkQuadTree(*quad, a, c, b, d, [&](CPointBatch* item) { boxFound.insert(item); });
    for (const CPointBatch* item : quadItems) {
      if (item->local.x >= a && item->local.x <= b && item->local.y >= c && item->local.y <= d) {
        EXPECT_TRUE(boxFound.count(item));
      }
    }
  }
}

TEST(MatTransposeTest, ExchangesRowsAndColumns) {
  Matrix4 m;
  for (int i = 0; i < 16; ++i) m.m[i] = static_cast<float>(i);
  const Matrix4 t = MatTranspose(m);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(t.at(r, c), m.at(c, r));
  }
}

}  // namespace

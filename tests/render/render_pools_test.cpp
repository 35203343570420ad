#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <new>

#include "program_state.h"
#include "render/material.h"
#include "render/record_pool.h"
#include "render/texture_cache.h"
#include "scan_fixtures.h"

namespace {

class RenderPoolsTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    ShadingMode = 2;
  }
};

std::size_t BlocksHeld() {
  PoolUsage usage[kRenderPoolCount];
  GetRenderPoolUsage(usage);
  std::size_t total = 0;
  for (const PoolUsage& pool : usage) total += pool.blocks;
  return total;
}

TEST_F(RenderPoolsTest, LastReleaseFreesPoolsMaterialsAndTextures) {
  RenderNestingCount = 2;
  CRenderNode* first = PolygonNode(BoxTriangles({1, 1, 1}, {5, 5, 5}));
  CRenderNode* second = PolygonNode(BoxTriangles({1, 1, 1}, {5, 5, 5}));
  LoadMaterial("Nowhere", 0);
  ASSERT_FALSE(LoadedMaterials().empty());
  ReleaseRenderTree(first);
  EXPECT_EQ(RenderNestingCount, 1);
  EXPECT_GT(BlocksHeld(), 0u);
  EXPECT_FALSE(LoadedMaterials().empty());
  ReleaseRenderTree(second);
  EXPECT_EQ(RenderNestingCount, 0);
  EXPECT_EQ(BlocksHeld(), 0u);
  EXPECT_TRUE(LoadedMaterials().empty());
  EXPECT_TRUE(TextureCache().empty());

  RenderNestingCount = 1;
  ReleaseRenderTree(nullptr);
  EXPECT_EQ(RenderNestingCount, 0);
}

TEST_F(RenderPoolsTest, RecordsComeFromBlocksOf1024) {
  RecordPool<CrossingEntry> pool;
  std::vector<CrossingEntry*> taken;
  for (int i = 0; i < 1025; ++i) taken.push_back(pool.Take());
  EXPECT_EQ(pool.BlocksHeld(), 2u);
  // The first block is handed out in address order.
  for (int i = 1; i < 1024; ++i) EXPECT_EQ(taken[i], taken[0] + i);
  for (CrossingEntry* e : taken) pool.Give(e);
  for (int i = 0; i < 1025; ++i) pool.Take();
  EXPECT_EQ(pool.BlocksHeld(), 2u);
  EXPECT_EQ(pool.MostBlocksHeld(), 2u);
  pool.FreeAll();
  EXPECT_EQ(pool.BlocksHeld(), 0u);
  EXPECT_EQ(pool.MostBlocksHeld(), 2u);
}

// A small scene built under a guard, so a failure at any allocation still releases what exists.
PixelLists ScanSmallScene() {
  ++RenderNestingCount;
  CRenderNode* root = nullptr;
  try {
    std::unique_ptr<CRenderNode> a(PolygonNode(BoxTriangles({2.5f, 2.5f, 2}, {30.5f, 40.5f, 9})));
    std::unique_ptr<CRenderNode> b(PolygonNode(BoxTriangles({10.5f, 5.5f, 4}, {20.5f, 35.5f, 12})));
    std::unique_ptr<CRenderNode> c(PolygonNode(SphereTriangles({25.3f, 20.7f, 6}, 9, 16, 8)));
    a->next = b.release();
    std::unique_ptr<CRenderNode> both(new CRenderNode(CRenderNode::kUnion, a.release()));
    both->next = c.release();
    root = new CRenderNode(CRenderNode::kSubtraction, both.release());
  } catch (...) {
    ReleaseRenderTree(nullptr);
    throw;
  }
  --RenderNestingCount;
  return ScanTree(root, 0, 45, 0, 45);
}

TEST_F(RenderPoolsTest, FailedBlockAllocationsReleaseCleanly) {
  const PixelLists expected = ScanSmallScene();
  ASSERT_FALSE(expected.empty());
  for (int n = 1;; ++n) {
    FailNthBlockAllocation(n);
    bool completed = false;
    try {
      EXPECT_EQ(ScanSmallScene(), expected) << n;
      completed = true;
    } catch (const std::bad_alloc&) {
    }
    FailNthBlockAllocation(0);
    EXPECT_EQ(RenderNestingCount, 0) << n;
    EXPECT_EQ(BlocksHeld(), 0u) << n;
    if (completed) break;
    ASSERT_LT(n, 100);
  }
}

TEST_F(RenderPoolsTest, FarAndNonFiniteVerticesLeaveTheOtherTrianglesAlone) {
  const TriangleList box = BoxTriangles({2.5f, 2.5f, 2}, {12.5f, 14.5f, 9});
  const PixelLists expected = ScanTree(PolygonNode(box), -5, 20, -5, 20);
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  // The finite strays' triangles lie right of the window.
  for (const Vector3 stray : {Vector3{1000, 1e12f, 3}, Vector3{1000, -1e12f, 3}, Vector3{1e12f, 5, 3},
                              Vector3{5, kInf, 3}, Vector3{-kInf, 5, 3}, Vector3{5, 5, kNaN}, Vector3{kNaN, kNaN, kNaN}}) {
    TriangleList withStray = box;
    withStray.push_back({Vector3{1000, 3, 1}, stray, Vector3{1008, 4, 1}});
    withStray.push_back({stray, Vector3{1000, 3, 1}, Vector3{1008, 4, 1}});
    EXPECT_EQ(ScanTree(PolygonNode(withStray), -5, 20, -5, 20), expected) << stray.x << " " << stray.y;
  }
}

}  // namespace

#include "render/ray_polygon_node.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "mesh_fixtures.h"
#include "render/crossing_merge.h"
#include "render/render_state.h"
#include "render/render_tree.h"
#include "scene_fixture.h"

namespace {

class RayPolygonNodeTest : public SceneTest {
 public:
  void SetUp() override {
    SceneTest::SetUp();
    ShadingMode = 2;
  }

  template <class T>
  void Add(std::unique_ptr<T> object) {
    AddObject(object, 1)->ObjectState = kStateShown;
  }

  // Scans the design with full and with ray primitives side by side on a grid of the step, and
  // expects the same extent of every row and the same depths at every pixel; returns whether the
  // ray primitives saw ties that the order decides (the depths are then not compared).
  bool ExpectSameCrossings(float step, int columns, int rows) {
    Matrix4 m = kIdentityMatrix;
    m[0] = m[5] = m[10] = 1.0f / step;
    m[12] = m[13] = m[14] = 3.0f / step;
    SetRenderColumnWindow(0, columns - 1);
    bool orderDecides = false;
    RenderTreeGuard full(BuildRenderTree(m, 0));
    RenderTreeGuard ray([&] {
      RayPrimitivesScope scope(&orderDecides);
      return BuildRenderTree(m, 0);
    }());
    if (full.get() == nullptr || ray.get() == nullptr) {
      EXPECT_EQ(full.get(), ray.get());
      return false;
    }
    EXPECT_EQ(full.get()->firstRow, ray.get()->firstRow);
    EXPECT_EQ(full.get()->lastRow, ray.get()->lastRow);
    int mismatches = 0;
    for (int row = std::max(0, full.get()->firstRow); row < rows; ++row) {
      full.get()->AdvanceToScanline(row);
      ray.get()->AdvanceToScanline(row);
      EXPECT_EQ(full.get()->firstColumn, ray.get()->firstColumn) << row;
      EXPECT_EQ(full.get()->lastColumn, ray.get()->lastColumn) << row;
      for (int column = std::max(0, full.get()->firstColumn); column < columns; ++column) {
        CrossingEntry* a = full.get()->GetSpans(column);
        CrossingEntry* b = ray.get()->GetSpans(column);
        std::vector<std::uint32_t> depthsA;
        std::vector<std::uint32_t> depthsB;
        for (const CrossingEntry* e = a; e != nullptr; e = e->next) depthsA.push_back(std::bit_cast<std::uint32_t>(e->depth));
        for (const CrossingEntry* e = b; e != nullptr; e = e->next) depthsB.push_back(std::bit_cast<std::uint32_t>(e->depth));
        if (!orderDecides && depthsA != depthsB) ++mismatches;
        ReleaseCrossingList(a);
        ReleaseCrossingList(b);
      }
    }
    EXPECT_EQ(mismatches, 0);
    return orderDecides;
  }
};

TEST_F(RayPolygonNodeTest, GivesTheFullPrimitivesCrossings) {
  struct Case {
    const char* name;
    std::function<void(RayPolygonNodeTest&)> build;
    bool orderDecides;
  };
  std::vector<Case> cases = {
      {"a box", [](RayPolygonNodeTest& t) { t.Add(BoxMesh({-1, -1, -1}, {1, 1, 1})); }, false},
      // Front and back meet on the rims, at whole columns: an opening and a closing of one depth.
      {"a torus", [](RayPolygonNodeTest& t) { t.Add(TorusMesh({0, 0, 0}, 2, 0.75f, 48, 24)); }, false},
      {"two boxes apart in one mesh and a box crossing them",
       [](RayPolygonNodeTest& t) {
         t.Add(BoxMesh({-2, -2, -1}, {0, 0, 1}));
         t.Add(BoxMesh({-1, -1, -0.5f}, {1, 1, 0.5f}));
       },
       false},
  };
  for (unsigned seed = 1; seed <= 4; ++seed) {
    cases.push_back({"a bumpy sphere",
                     [seed](RayPolygonNodeTest& t) { t.Add(BumpySphereMesh(seed, {0.1f * seed, 0, 0}, 2, 0.4f, 24, 14)); },
                     false});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    c.build(*this);
    for (const float step : {0.125f, 0.0731f}) {
      SCOPED_TRACE(step);
      EXPECT_EQ(ExpectSameCrossings(step, static_cast<int>(6 / step), static_cast<int>(6 / step)), c.orderDecides);
    }
    EXPECT_EQ(RenderNestingCount, 0);
  }
}

// Shells that touch face to face in one mesh leave the depths to the order of ties; as separate
// meshes they do not.
TEST_F(RayPolygonNodeTest, TouchingShellsOfOneMeshAreReported) {
  std::unique_ptr<CMeshObject> lower = BoxMesh({-1, -1, -1}, {1, 1, 0});
  std::unique_ptr<CMeshObject> upper = BoxMesh({-1, -1, 0}, {1, 1, 1});
  Add(BoxMesh({-1, -1, -1}, {1, 1, 0}));
  Add(BoxMesh({-1, -1, 0}, {1, 1, 1}));
  EXPECT_FALSE(ExpectSameCrossings(0.125f, 48, 48));

  ResetProgramState();
  SetUp();
  std::vector<Vector3> points = lower->points;
  points.insert(points.end(), upper->points.begin(), upper->points.end());
  std::vector<std::int32_t> sizes = lower->faceSizes;
  sizes.insert(sizes.end(), upper->faceSizes.begin(), upper->faceSizes.end());
  std::vector<std::int32_t> indices = lower->faceIndices;
  for (const std::int32_t index : upper->faceIndices) indices.push_back(index + lower->PointCount());
  lower->SetPoints(static_cast<int>(points.size()), points);
  ASSERT_TRUE(lower->SetFaces(sizes, indices));
  Add(std::move(lower));
  EXPECT_TRUE(ExpectSameCrossings(0.125f, 48, 48));
}

TEST(TiesDecideOrderTest, OnlyTiesOfOppositeFacingThatCanSplitOrJoinASpan) {
  struct Case {
    const char* name;
    std::vector<std::pair<float, std::int16_t>> entries;
    bool decides;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<Case> cases = {
      {"no ties", {{5, 1}, {4, -1}, {3, 1}, {1, -1}}, false},
      {"a tie of one facing", {{5, 1}, {5, 1}, {3, -1}, {1, -1}}, false},
      {"a grazing ray outside", {{5, 1}, {5, -1}, {3, 1}, {1, -1}}, false},
      {"a grazing ray closing first", {{5, -1}, {5, 1}}, false},
      {"a tie inside a span", {{6, 1}, {5, 1}, {5, -1}, {1, -1}}, true},
      {"three at one depth", {{5, 1}, {5, -1}, {5, 1}, {1, -1}}, true},
      {"a depth that is not finite", {{nan, 1}, {1, -1}}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<CrossingEntry> entries(c.entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      entries[i] = {i + 1 < entries.size() ? &entries[i + 1] : nullptr, nullptr, c.entries[i].second, c.entries[i].first};
    }
    EXPECT_EQ(TiesDecideOrder(entries.data()), c.decides);
  }
}

}  // namespace

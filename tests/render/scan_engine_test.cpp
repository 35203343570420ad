#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "program_state.h"
#include "render/material.h"
#include "scan_fixtures.h"

namespace {

class ScanEngineTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    ShadingMode = 2;
  }
};

// Which solid a crossing came from.
const CMaterial kA;
const CMaterial kB;
const CMaterial kC;

struct SpanSeen {
  int first;
  int last;
  float depth;
  friend bool operator==(const SpanSeen&, const SpanSeen&) = default;
};

// The spans of one triangle at a row, as its primitive sets them up; spans that cover no column
// are left out.
std::vector<SpanSeen> SpansAtRow(const Triangle3& triangle, int row, int windowFirst) {
  ++RenderNestingCount;
  RenderTreeGuard guard(PolygonNode({triangle}));
  SetRenderColumnWindow(windowFirst, 100);
  CRenderNode* node = guard.get();
  std::vector<SpanSeen> seen;
  if (row < node->firstRow) return seen;
  for (int r = node->firstRow; r <= row; ++r) node->AdvanceToScanline(r);
  for (const ColumnSpan* s = node->spans; s != nullptr; s = s->next) {
    if (s->firstColumn < s->lastColumn) seen.push_back({s->firstColumn, s->lastColumn, s->depth});
  }
  return seen;
}

TEST_F(ScanEngineTest, PrimitiveEdgeCases) {
  struct Case {
    std::string name;
    Triangle3 triangle;
    int row;
    int windowFirst;
    std::vector<SpanSeen> expected;
  };
  const Case cases[] = {
      {"y 4.0005 scans as 4", {{{2, 4.0005f, 1}, {12, 4.0005f, 1}, {2, 10, 1}}}, 4, 0, {{2, 12, 1}}},
      {"y 4.002 stays", {{{2, 4.002f, 1}, {12, 4.002f, 1}, {2, 10, 1}}}, 4, 0, {}},
      {"one-row triangle", {{{2, 5.5f, 1}, {12, 5.5f, 1}, {7, 5.5f, 1}}}, 6, 0, {}},
      {"left x 2.00005 starts at 2", {{{2.00005f, 0, 1}, {2.00005f, 10, 1}, {15.5f, 10, 1}}}, 5, 0, {{2, 9, 1}}},
      {"left x 2.0002 starts at 3", {{{2.0002f, 0, 1}, {2.0002f, 10, 1}, {15.5f, 10, 1}}}, 5, 0, {{3, 9, 1}}},
      {"5.2 to 5.9 covers nothing", {{{5.2f, 0, 1}, {5.9f, 0, 1}, {5.2f, 10, 1}}}, 0, 0, {}},
      {"narrow span keeps the left depth",
       {{{6.000095f, 0, 1}, {6.000103f, 0, 5}, {6.000095f, 10, 1}}}, 0, 0, {{6, 7, 1}}},
      {"window clips the start and its depth", {{{2, 0, 0}, {2, 20, 0}, {22, 20, 20}}}, 10, 10, {{10, 12, 8}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SpansAtRow(c.triangle, c.row, c.windowFirst), c.expected) << c.name;
  }
}

// Every list nearest first and in pairs. Facings alternate too, except where a subtraction shows
// the cutter's surfaces from inside.
void ExpectBalanced(const PixelLists& lists, bool facingsAlternate = true) {
  for (const auto& [pixel, list] : lists) {
    ASSERT_EQ(list.size() % 2, 0u) << pixel.first << "," << pixel.second;
    for (std::size_t i = 0; i + 1 < list.size(); ++i) EXPECT_GE(list[i].depth, list[i + 1].depth);
    if (!facingsAlternate) continue;
    for (std::size_t i = 0; i < list.size(); i += 2) EXPECT_EQ(list[i].facing, -list[i + 1].facing);
  }
}

TEST_F(ScanEngineTest, BoxGivesExactPairsInsideItsOutlineOnly) {
  const PixelLists lists = ScanTree(PolygonNode(BoxTriangles({2.5f, 1.5f, 3}, {12.5f, 9.5f, 9})), -5, 20, -5, 20);
  ExpectBalanced(lists);
  EXPECT_EQ(lists.size(), 10u * 8u);
  for (int row = 2; row <= 9; ++row) {
    for (int column = 3; column <= 12; ++column) {
      const auto it = lists.find({row, column});
      ASSERT_NE(it, lists.end()) << row << "," << column;
      ASSERT_EQ(it->second.size(), 2u);
      EXPECT_EQ(it->second[0].depth, 9.0f);
      EXPECT_EQ(it->second[1].depth, 3.0f);
    }
  }
}

TEST_F(ScanEngineTest, OctahedronDepthsAreExact) {
  const Vector3 c{16.5f, 16.5f, 40};
  const Vector3 px{26.5f, 16.5f, 40}, nx{6.5f, 16.5f, 40}, py{16.5f, 26.5f, 40}, ny{16.5f, 6.5f, 40};
  const Vector3 pz{16.5f, 16.5f, 50}, nz{16.5f, 16.5f, 30};
  const TriangleList octahedron = {{px, py, pz}, {py, nx, pz}, {nx, ny, pz}, {ny, px, pz},
                                   {py, px, nz}, {nx, py, nz}, {ny, nx, nz}, {px, ny, nz}};
  const PixelLists lists = ScanTree(PolygonNode(octahedron), 0, 40, 0, 40);
  ExpectBalanced(lists);
  for (int row = 0; row <= 40; ++row) {
    for (int column = 0; column <= 40; ++column) {
      const float d = 10 - std::fabs(column - c.x) - std::fabs(row - c.y);
      const auto it = lists.find({row, column});
      if (d > 0) {
        ASSERT_NE(it, lists.end()) << row << "," << column;
      }
      if (it == lists.end()) continue;
      ASSERT_GE(d, 0.0f);
      ASSERT_EQ(it->second.size(), 2u);
      EXPECT_EQ(it->second[0].depth, 40 + d);
      EXPECT_EQ(it->second[1].depth, 40 - d);
    }
  }
}

TEST_F(ScanEngineTest, SphereMeshCoversEachPixelOnce) {
  const Vector3 centre{30.3f, 29.7f, 50};
  const float radius = 20;
  const PixelLists lists = ScanTree(PolygonNode(SphereTriangles(centre, radius, 32, 16)), 0, 60, 0, 60);
  ExpectBalanced(lists);
  const double inscribed = radius * std::cos(std::numbers::pi / 32) * std::cos(std::numbers::pi / 32);
  for (int row = 0; row <= 60; ++row) {
    for (int column = 0; column <= 60; ++column) {
      const double distance = std::hypot(column - centre.x, row - centre.y);
      const auto it = lists.find({row, column});
      if (distance < inscribed - 0.01) {
        ASSERT_NE(it, lists.end()) << row << "," << column;
      }
      if (it == lists.end()) continue;
      EXPECT_LE(distance, radius + 0.01);
      ASSERT_EQ(it->second.size(), 2u);
      EXPECT_LE(it->second[0].depth, centre.z + radius + 0.001f);
      EXPECT_GE(it->second[1].depth, centre.z - radius - 0.001f);
    }
  }
}

TEST_F(ScanEngineTest, LoneFaceGivesNothing) {
  EXPECT_TRUE(ScanTree(PolygonNode({{{{2, 2, 5}, {12, 3, 5}, {6, 11, 5}}}}), 0, 20, 0, 20).empty());
}

TEST_F(ScanEngineTest, QuadsSplitAlongOtherDiagonalsNeitherGapNorOverlap) {
  const float x0 = 2.3f, x1 = 14.6f, y0 = 1.7f, y1 = 11.2f;
  // The front quad counter-clockwise, the back one clockwise, so the two close a slab.
  const TriangleList slab = {{{{x0, y0, 10}, {x1, y0, 10}, {x1, y1, 10}}}, {{{x0, y0, 10}, {x1, y1, 10}, {x0, y1, 10}}},
                             {{{x0, y0, 2}, {x0, y1, 2}, {x1, y0, 2}}}, {{{x1, y0, 2}, {x0, y1, 2}, {x1, y1, 2}}}};
  const PixelLists lists = ScanTree(PolygonNode(slab), 0, 20, 0, 20);
  ExpectBalanced(lists);
  EXPECT_EQ(lists.size(), 12u * 10u);
  for (int row = 2; row <= 11; ++row) {
    for (int column = 3; column <= 14; ++column) {
      const std::vector<Crossing>& list = lists.at({row, column});
      ASSERT_EQ(list.size(), 2u);
      EXPECT_EQ(list[0].depth, 10.0f);
      EXPECT_EQ(list[1].depth, 2.0f);
    }
  }
}

// With closed columns a span also covers the column its far end lies on: a box over the columns
// 2..10 fills all nine, as one primitive, as two pieces meeting at column 6, and cut down to the
// columns 2..6 or 6..10 by a box against column 6, the cut's face on the column kept on either side.
// Where a face's diagonal crosses a column at a row the column still holds one pair. Pictures keep
// the far column uncovered.
TEST_F(ScanEngineTest, ClosedColumnsCoverTheFarColumnToo) {
  const auto box = [](float x0, float x1, float back, float front) {
    return PolygonNode(BoxTriangles({x0, 2, back}, {x1, 10, front}));
  };
  struct Case {
    const char* name;
    std::function<CRenderNode*()> tree;
    int first;
    int last;  // with closed columns; one less without
  };
  const Case cases[] = {
      {"one primitive", [&] { return box(2, 10, 3, 9); }, 2, 10},
      {"two pieces", [&] { return Group(CRenderNode::kUnionOfPieces, {box(2, 6, 3, 9), box(6, 10, 3, 9)}); }, 2, 10},
      {"cut on the far side", [&] { return Group(CRenderNode::kSubtraction, {box(2, 10, 3, 9), box(6, 14, 1, 11)}); }, 2,
       6},
      {"cut on the near side", [&] { return Group(CRenderNode::kSubtraction, {box(2, 10, 3, 9), box(-2, 6, 1, 11)}); },
       6, 10},
  };
  for (const int closed : {0, 1}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (closed != 0 ? ", closed" : ""));
      ClosedColumnsFlag = closed;
      const PixelLists lists = ScanTree(c.tree(), 0, 20, -5, 20);
      const int lastColumn = closed != 0 ? c.last : c.last - 1;
      EXPECT_EQ(lists.size(), static_cast<std::size_t>(8 * (lastColumn - c.first + 1)));
      for (int row = 2; row <= 9; ++row) {
        for (int column = c.first; column <= lastColumn; ++column) {
          const auto it = lists.find({row, column});
          ASSERT_NE(it, lists.end()) << row << "," << column;
          ASSERT_EQ(it->second.size(), 2u) << row << "," << column;
          EXPECT_EQ(it->second[0].depth, 9.0f);
          EXPECT_EQ(it->second[1].depth, 3.0f);
        }
      }
    }
  }
  ClosedColumnsFlag = 0;
}

// Boxes that cover the pixels 1..10 in both directions, differing only in depth.
CRenderNode* Slab(float back, float front, const CMaterial* tag) {
  return PolygonNode(BoxTriangles({0.5f, 0.5f, back}, {10.5f, 10.5f, front}), tag);
}

TEST_F(ScanEngineTest, MergeRulesOfTwoBoxes) {
  struct Case {
    std::string name;
    std::uint8_t operation;
    // Each box as (back, front); the first is the body of a subtraction.
    float a[2];
    float b[2];
    std::vector<std::pair<float, const CMaterial*>> expected;
  };
  const Case cases[] = {
      {"union overlapping", 2, {2, 6}, {4, 9}, {{9, &kB}, {2, &kA}}},
      {"union touching", 2, {2, 5}, {5, 9}, {{9, &kB}, {2, &kA}}},
      {"union nested", 2, {2, 9}, {4, 6}, {{9, &kA}, {2, &kA}}},
      {"union apart", 2, {1, 3}, {5, 9}, {{9, &kB}, {5, &kB}, {3, &kA}, {1, &kA}}},
      {"union equal openings", 2, {4, 9}, {2, 9}, {{9, &kA}, {2, &kB}}},
      {"intersection overlapping", 3, {2, 6}, {4, 9}, {{6, &kA}, {4, &kB}}},
      {"intersection touching", 3, {2, 5}, {5, 9}, {}},
      {"intersection nested", 3, {2, 9}, {4, 6}, {{6, &kB}, {4, &kB}}},
      {"intersection equal openings", 3, {4, 9}, {2, 9}, {{9, &kB}, {4, &kA}}},
      {"a minus b overlapping", 4, {2, 6}, {4, 9}, {{4, &kB}, {2, &kA}}},
      {"b minus a overlapping", 4, {4, 9}, {2, 6}, {{9, &kA}, {6, &kB}}},
      {"subtraction touching", 4, {2, 5}, {5, 9}, {{5, &kA}, {2, &kA}}},
      {"subtraction covering", 4, {3, 6}, {2, 9}, {}},
      {"cutter inside splits", 4, {2, 9}, {4, 6}, {{9, &kA}, {6, &kB}, {4, &kB}, {2, &kA}}},
      {"subtraction equal openings", 4, {2, 9}, {4, 9}, {{4, &kB}, {2, &kA}}},
      // The near shell first: its closing entry comes before the far shell's opening.
      {"touching shells of one object", 1, {5, 9}, {2, 5}, {{9, &kA}, {5, &kA}, {5, &kB}, {2, &kB}}},
  };
  for (const Case& c : cases) {
    const PixelLists lists =
        ScanTree(Group(c.operation, {Slab(c.a[0], c.a[1], &kA), Slab(c.b[0], c.b[1], &kB)}), 0, 12, 0, 12);
    ExpectBalanced(lists, c.operation != 4);
    const auto it = lists.find({5, 5});
    std::vector<std::pair<float, const CMaterial*>> got;
    if (it != lists.end()) {
      for (const Crossing& e : it->second) got.emplace_back(e.depth, e.tag);
    }
    EXPECT_EQ(got, c.expected) << c.name;
  }
}

}  // namespace

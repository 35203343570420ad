#include "exchange/triangle_export_walk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "exchange/export_stack.h"
#include "exchange/stl_writers.h"
#include "export_fixtures.h"
#include "gem_library_file.h"
#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/gem_object.h"
#include "kernel/surface_tessellation.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "services/layer_table.h"

namespace {

// One triangle whose first corner is at x.
std::unique_ptr<CMeshObject> Triangle(float x) {
  return MakeMesh({{x, 0, 0}, {x + 1, 0, 0}, {x, 1, 0}}, {{0, 1, 2}});
}

class TriangleExportWalkTest : public LumidrexTest {
 protected:
  std::vector<ReadFacet> Export() {
    const std::string path = folder.File("walk.stl");
    EXPECT_TRUE(StlBinaryWriter(list.first(), path));
    const ExportStack& stack = ExportStackOf(ExportFamily::kStlBinary);
    EXPECT_EQ(stack.top, &stack.base);
    EXPECT_EQ(stack.base.matrix, kIdentityMatrix);
    return ReadBinaryStl(path);
  }

  TempDir folder;
  ObjectList list;
};

TEST_F(TriangleExportWalkTest, FacetCounts) {
  struct Case {
    const char* name;
    std::function<void(ObjectList&)> build;
    std::size_t facets;
  };
  const std::vector<Case> cases = {
      // 4 x 4 closed both ways, 2 steps: 9 x 9 points, no caps.
      {"closed both ways", [](ObjectList& l) { l.Add(TorusSurface(4, 4, 2)); }, 2 * 8 * 8},
      // Export takes the output steps even where wire frames draw the control rows.
      {"output steps",
       [](ObjectList& l) {
         CSurfaceObject* s = l.Add(TorusSurface(4, 4, 3));
         s->displayStepsU = s->displayStepsV = 0;
       },
       2 * 12 * 12},
      {"one row",
       [](ObjectList& l) {
         auto s = std::make_unique<CSurfaceObject>();
         s->SetPoints(4, {{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {3, 0, 0}});
         s->rows = 1;
         s->columns = 4;
         l.Add(std::move(s));
       },
       0},
      {"grid past its points",
       [](ObjectList& l) {
         CSurfaceObject* s = l.Add(TorusSurface(4, 4, 2));
         s->rows = 5;
       },
       0},
      {"steps past the tessellation limit",
       [](ObjectList& l) { l.Add(TorusSurface(4, 4, 1'000'000)); }, 0},
      // Two fans of two; the NaN corner drops both facets that use it.
      {"NaN corner",
       [](ObjectList& l) {
         const float nan = std::numeric_limits<float>::quiet_NaN();
         l.Add(MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {nan, 2, 0}},
                        {{0, 1, 2, 3}, {3, 2, 4}}));
       },
       2},
      {"infinite placement",
       [](ObjectList& l) { l.Add(MakeMesh({{0, 0, 0}, {3e38f, 0, 0}, {0, 3e38f, 0}}, {{0, 1, 2}})); },
       0},
      // An index equal to the point count skips its face; a size past the index list ends the
      // mesh there; fewer than three indices make no facet.
      {"broken faces",
       [](ObjectList& l) {
         l.Add(MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                        {{0, 1, 2}, {0, 1, 4}, {0, 1}, {0, 2, 3}, {-1, 2, 3}}));
         l.Add(MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}}))->faceSizes = {3, 1};
       },
       3},
      {"a block without profiles and a curve write nothing",
       [](ObjectList& l) {
         l.Add(std::make_unique<CBlockObject>());
         l.Add(std::make_unique<CCurveObject>());
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    list = ObjectList();
    c.build(list);
    EXPECT_EQ(Export().size(), c.facets);
  }
}

TEST_F(TriangleExportWalkTest, OnlyShownObjectsOnVisibleLayersAndTheirGroupsMembers) {
  LayerTable[5].visible = 0;
  list.Add(Triangle(0))->ObjectState = 2;
  list.Add(Triangle(10))->ObjectState = 3;
  list.Add(Triangle(20))->ObjectState = -1;
  list.Add(Triangle(30))->layer = 5;
  list.Add(Triangle(40))->ObjectState = kStateSelected;
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  group->members.Append(Triangle(50));
  group->members.head()->layer = 5;
  list.Add(std::move(group));

  std::vector<float> written;
  for (const ReadFacet& facet : Export()) written.push_back(facet.Corner(0).x);
  EXPECT_EQ(written, (std::vector<float>{40, 50}));
}

TEST_F(TriangleExportWalkTest, GroupsTakeTheirShownMembers) {
  struct Case {
    int operation;
    int subtractorsShown;
    int bodyState;
    std::vector<float> written;
  };
  const Case cases[] = {
      {kBooleanSubtraction, 0, kStateShown, {0}},
      {kBooleanSubtraction, 0, kStateSelected, {0}},
      {kBooleanSubtraction, 0, 2, {}},
      {kBooleanSubtraction, 1, kStateShown, {0, 10}},
      {kBooleanUnion, 0, kStateShown, {0, 10}},
      {kBooleanIntersection, 0, 2, {10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.operation << " " << c.subtractorsShown << " " << c.bodyState);
    list = ObjectList();
    auto group = std::make_unique<CBooleanObject>();
    group->SetOperation(c.operation);
    group->subtractBody = c.subtractorsShown;
    group->members.Append(Triangle(0));
    group->members.head()->ObjectState = c.bodyState;
    group->members.Append(Triangle(10));
    group->members.Append(Triangle(20));
    group->members.head()->next->next->ObjectState = 2;
    list.Add(std::move(group));
    std::vector<float> written;
    for (const ReadFacet& facet : Export()) written.push_back(facet.Corner(0).x);
    EXPECT_EQ(written, c.written);
  }
}

// Seen from outside, the tube's walls and both caps face out at +1 and in at -1.
TEST_F(TriangleExportWalkTest, TubeGetsTwoCapsWoundApart) {
  for (const int sign : {1, -1}) {
    SCOPED_TRACE(sign);
    list = ObjectList();
    list.Add(TubeSurface(8, 5, 10, 2))->orientationSign = sign;
    int top = 0;
    int bottom = 0;
    for (const ReadFacet& facet : Export()) {
      const Vector3 n = facet.Normal();
      const Vector3 a = facet.Corner(0);
      if (std::fabs(n.z) < 1e-6f) {
        // A wall: its normal points away from the axis (or toward it) at its first corner.
        EXPECT_GT((a.x * n.x + a.y * n.y) * static_cast<float>(sign), 0.0f);
        continue;
      }
      const bool atTop = a.z > 5;
      (atTop ? top : bottom)++;
      EXPECT_FLOAT_EQ(n.z, atTop ? sign : -sign);
      for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(facet.Corner(k).z, atTop ? 10.0f : 0.0f);
    }
    EXPECT_GT(top, 0);
    EXPECT_EQ(top, bottom);
  }
}

class GemExportTest : public TriangleExportWalkTest {
 protected:
  void SetUp() override {
    TriangleExportWalkTest::SetUp();
    SetProgramDirOverride(gems.path());
  }
  void WriteLibrary(std::vector<std::unique_ptr<CGeomObject>> prototypes) {
    WriteGemLibraryFile(gems.File(kGemLibraryFileName), std::move(prototypes));
    GemLibrary.Free();
  }
  static std::unique_ptr<CGemObject> Gem(int index, const Matrix4& placement) {
    auto gem = std::make_unique<CGemObject>();
    gem->SetLibraryIndex(index);
    gem->placement = placement;
    return gem;
  }

  TempDir gems;
};

TEST_F(GemExportTest, AGemInAGemLandsAtInnerThenOuterPlacement) {
  // Inner: scale 2, then move by (1, 2, 3). Outer: a quarter turn about z, then move 10 along x.
  Matrix4 inner = kIdentityMatrix;
  inner[0] = inner[5] = inner[10] = 2;
  inner[12] = 1;
  inner[13] = 2;
  inner[14] = 3;
  const Matrix4 outer = {{0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1}};
  // The inner gem directly as a prototype, and inside a group.
  for (const bool grouped : {false, true}) {
    SCOPED_TRACE(grouped);
    std::vector<std::unique_ptr<CGeomObject>> library;
    library.push_back(MakeMesh({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{0, 1, 2}}));
    if (grouped) {
      auto group = std::make_unique<CBooleanObject>();
      group->SetOperation(kBooleanUnion);
      group->members.Append(Gem(0, inner));
      library.push_back(std::move(group));
    } else {
      library.push_back(Gem(0, inner));
    }
    WriteLibrary(std::move(library));
    list = ObjectList();
    list.Add(Gem(1, outer));
    list.Add(Gem(7, outer));  // no such prototype: skipped
    const std::vector<ReadFacet> facets = Export();
    ASSERT_EQ(facets.size(), 1u);
    // (1,0,0) -> (3,2,3) -> (8,3,3); (0,1,0) -> (1,4,3) -> (6,1,3); (0,0,1) -> (1,2,5) -> (8,1,5).
    EXPECT_EQ(facets[0].Corner(0), Vector3(8, 3, 3));
    EXPECT_EQ(facets[0].Corner(1), Vector3(6, 1, 3));
    EXPECT_EQ(facets[0].Corner(2), Vector3(8, 1, 5));
  }
}

// A prototype that is a group holding a gem of itself stops at the shared nesting bound.
TEST_F(GemExportTest, AGroupHoldingItsOwnGemStopsAtTheNestingBound) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  group->members.Append(Triangle(0));
  group->members.Append(Gem(0, kIdentityMatrix));
  std::vector<std::unique_ptr<CGeomObject>> library;
  library.push_back(std::move(group));
  WriteLibrary(std::move(library));
  list.Add(Gem(0, kIdentityMatrix));
  EXPECT_EQ(Export().size(), static_cast<std::size_t>(kMaxGemNesting));
  EXPECT_EQ(GemNestingDepth(), 0);
}

}  // namespace

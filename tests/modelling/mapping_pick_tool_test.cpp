#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "curve_fixture.h"
#include "kernel/boolean_object.h"
#include "kernel/surface_object.h"
#include "modelling/mapping_items.h"
#include "modelling/mapping_pick_tool.h"
#include "modelling/uv_mapping.h"
#include "platform/command_queue.h"
#include "scene/tool_framework.h"

namespace {

// A sheet rising in y as z grows, seen in the Front view over x in [0, 6]: its edge x = 0 runs
// from y = 1 up.
std::unique_ptr<CSurfaceObject> Sheet() {
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> grid;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) grid.push_back({2.0f * r, 1.0f + 0.6f * c, 2.0f * c});
  }
  EXPECT_TRUE(surface->SetGrid(4, 4, grid));
  return surface;
}

class MappingPickToolTest : public CurveTest {
 protected:
  CBooleanObject* AddUnion(std::unique_ptr<CGeomObject> first, std::unique_ptr<CGeomObject> second) {
    auto group = std::make_unique<CBooleanObject>();
    group->SetOperation(kBooleanUnion);
    group->members.Append(std::move(first));
    if (second != nullptr) group->members.Append(std::move(second));
    CBooleanObject* added = AddObject(group, 1);
    added->ObjectState = kStateShown;
    return added;
  }
};

TEST_F(MappingPickToolTest, ASurfaceInAGroupIsTakenWithoutItsGroup) {
  auto marked = std::make_unique<CCurveObject>();
  marked->SetPoints(2, {{20, 20, 0}, {21, 20, 0}}, {1, 1});
  const CCurveObject* member = marked.get();
  AddUnion(Sheet(), std::move(marked));
  CCurveObject* item = AddCurve({{3, 9, 2}});
  DoProjectMap(0, 1, 0, 0, 0, 0, 0);
  ASSERT_NE(dynamic_cast<CMappingPickTool*>(GetTool(0)), nullptr);
  ClickAt(0, 2);
  // The projection ran on release; the pick tool comes back once the queue drains.
  EXPECT_NEAR(item->points[0].y, 1.0f + 0.6f, 1e-3);
  EXPECT_EQ(member->points[0], (Vector3{20, 20, 0}));
  EXPECT_EQ(ProgramCommandQueue().Pending(), 1u);
}

TEST_F(MappingPickToolTest, ACurveInAGroupIsNotATarget) {
  auto curve = std::make_unique<CCurveObject>();
  curve->SetPoints(2, {{-5, 2, 0}, {5, 2, 0}});
  curve->stepsPerSpan = 0;
  AddUnion(std::move(curve), nullptr);
  CCurveObject* item = AddCurve({{1, 9, 0}});
  DoProjectMap(0, 1, 0, 0, 0, 0, 0);
  ClickAt(0, 2);
  EXPECT_EQ(item->points[0], (Vector3{1, 9, 0}));
}

TEST_F(MappingPickToolTest, UvPickLeavesTheSecondarySlotAndMapsOntoThePick) {
  auto sheet = Sheet();
  CSurfaceObject* target = AddObject(sheet, 1);
  target->ObjectState = kStateShown;
  CCurveObject* item = AddCurve({{0, 0, 0}, {10, 10, 0}});
  DoUVMap(0, 1, 0, 0, 10, 0, 10);
  ASSERT_NE(TheScene.secondaryTool, nullptr);
  ClickAt(0, 2);
  EXPECT_EQ(TheScene.secondaryTool, nullptr);
  ExpectNear(item->points[0], target->points[0], 1e-4f);
  ExpectNear(item->points[1], target->points[15], 1e-4f);
}

}  // namespace

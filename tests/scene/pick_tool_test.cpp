#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kernel/curve_object.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_callback_tool.h"
#include "scene/pick_tool.h"
#include "scene/point_selection.h"
#include "scene/static_tools.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"
#include "services/layer_table.h"

namespace {

std::unique_ptr<CCurveObject> MarkedCurve(std::vector<std::int32_t> marks) {
  auto curve = std::make_unique<CCurveObject>();
  curve->SetPoints(static_cast<int>(marks.size()), {}, marks);
  return curve;
}

// A small scene: two curves with marked points (the second selected), an axis line (selected)
// and a selected curve on a layer that cannot be picked.
class PickToolTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    Headless().hasMainWindow = true;
    SetActiveView(nullptr);
    first = Link(MarkedCurve({1, 0, 1}));
    second = Link(MarkedCurve({1, 1}));
    second->ObjectState = 1;
    axis = Link(std::make_unique<CAxisLineObject>());
    axis->ObjectState = 1;
    hidden = Link(MarkedCurve({1}));
    hidden->ObjectState = 1;
    hidden->layer = 3;
    LayerTable[3].pickable = 0;
    SetActiveView(&view);
  }

  // Undo steps holding records.
  int UndoSteps() {
    int steps = 0;
    for (const auto& step : document.ring) steps += step.empty() ? 0 : 1;
    return steps;
  }

  CCurveObject* first = nullptr;
  CCurveObject* second = nullptr;
  CAxisLineObject* axis = nullptr;
  CCurveObject* hidden = nullptr;
};

TEST_F(PickToolTest, RightPressDeselectsAllButAxisLines) {
  ResetToPickTool();
  GetTool(0)->OnRButtonDown(kMouseRightButton, 5, 5);
  EXPECT_EQ(second->ObjectState, 0);
  EXPECT_EQ(hidden->ObjectState, 0);
  EXPECT_EQ(axis->ObjectState, 1);
  EXPECT_EQ(Headless().statusTexts.back(), "Picking... (0 picked objects)");
  EXPECT_EQ(document.ring[document.index].size(), 2u);

  // Undo brings the selection back in one step.
  GetTool(0)->Undo();
  EXPECT_EQ(second->ObjectState, 1);
  EXPECT_EQ(hidden->ObjectState, 1);
  EXPECT_EQ(CountPickedObjects(), 2);  // the second curve and the axis line
}

TEST_F(PickToolTest, ARealLeftDoubleClickDoesNothing) {
  ResetToPickTool();
  GetTool(0)->OnLButtonDblClk(kMouseLeftButton, 5, 5);
  StartPickTLines();
  GetTool(0)->OnLButtonDblClk(kMouseLeftButton, 5, 5);
  EXPECT_EQ(second->ObjectState, 1);
  EXPECT_EQ(axis->ObjectState, 1);
  EXPECT_EQ(UndoSteps(), 0);
}

TEST_F(PickToolTest, RightPressInPointModeClearsTheMarksOfShownObjects) {
  for (const bool pickCVs : {false, true}) {
    SCOPED_TRACE(pickCVs);
    first->marks = {1, 0, 1};
    ResetToPickTool();
    if (pickCVs) StartPickCVs();
    EXPECT_EQ(GetCurrentToolCursorId(), pickCVs ? 3601 : 3600);
    GetTool(0)->OnRButtonDown(kMouseRightButton | (pickCVs ? 0 : kMouseShift), 5, 5);
    EXPECT_EQ(first->marks, (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(second->marks, (std::vector<std::int32_t>{1, 1}));  // selected: keeps its marks
    EXPECT_EQ(second->ObjectState, 1);
  }
  GetTool(0)->Undo();
  EXPECT_EQ(first->marks, (std::vector<std::int32_t>{1, 0, 1}));
}

TEST_F(PickToolTest, TheTLineToolDeselectsOnlyAxisLines) {
  StartPickTLines();
  EXPECT_EQ(Headless().statusTexts.back(), "Picking T-Lines...");
  EXPECT_EQ(Headless().toolCursors.back(), 3602);
  const std::size_t shown = Headless().statusTexts.size();
  GetTool(0)->OnRButtonDown(kMouseRightButton | kMouseShift, 5, 5);
  EXPECT_EQ(axis->ObjectState, 0);
  EXPECT_EQ(second->ObjectState, 1);
  EXPECT_EQ(second->marks, (std::vector<std::int32_t>{1, 1}));
  EXPECT_EQ(Headless().statusTexts.size(), shown);  // no count
}

TEST_F(PickToolTest, ThePickVariantsStartAsDefaultToolWithoutAViewportToo) {
  SetActiveView(nullptr);
  StartPickCVs();
  EXPECT_EQ(Headless().statusTexts.back(), "Picking CV's...");
  EXPECT_EQ(Headless().toolCursors.back(), 3601);
  StartPickTLines();
  EXPECT_NE(dynamic_cast<CTLinePickTool*>(TheScene.defaultTool.get()), nullptr);
}

TEST_F(PickToolTest, ClearPointSelectionFollowsItsFlags) {
  struct Case {
    int withUndo, keepMarks;
    std::vector<std::int32_t> marks;
    std::size_t records;
  };
  const Case cases[] = {{1, 0, {0, 0, 0}, 1}, {1, 1, {0, 0, 0}, 1}, {0, 0, {0, 0, 0}, 0}, {0, 1, {1, 0, 1}, 0}};
  for (const Case& c : cases) {
    first->marks = {1, 0, 1};
    BeginUndoStep();
    const int before = document.index;
    ClearPointSelection(first, c.withUndo, c.keepMarks);
    EXPECT_EQ(first->marks, c.marks);
    EXPECT_EQ(document.index != before ? document.ring[document.index].size() : 0u, c.records);
  }
  // Hidden control points take no part.
  first->marks = {1, 0, 1};
  first->controlPointsHidden = 1;
  ClearPointSelection(first, 0);
  EXPECT_EQ(first->marks, (std::vector<std::int32_t>{1, 0, 1}));
}

TEST_F(PickToolTest, ClearPointSelectionWalksGroupMembersLikeAPick) {
  for (const int subtractBody : {0, 1}) {
    CBooleanObject group;
    group.SetOperation(kBooleanSubtraction);
    group.subtractBody = subtractBody;
    group.members.Append(MarkedCurve({1}));
    group.members.Append(MarkedCurve({1}));
    auto* deleted = static_cast<CCurveObject*>(group.members.head()->next);
    group.members.Append(MarkedCurve({1}));
    deleted->ObjectState = 2;
    ClearPointSelection(&group, 0);
    std::vector<std::int32_t> marks;
    for (CGeomObject* m = group.members.head(); m != nullptr; m = m->next) {
      marks.push_back(static_cast<CCurveObject*>(m)->marks[0]);
    }
    EXPECT_EQ(marks, (subtractBody != 0 ? std::vector<std::int32_t>{0, 1, 0} : std::vector<std::int32_t>{0, 1, 1}));
  }
}

// The pick-callback tool's release: it leaves (or stays) before the callback runs.
std::vector<std::string> calls;

TEST_F(PickToolTest, TheCallbackToolLeavesBeforeItsCallbackUnlessKeptInstalled) {
  ProgramCommandQueue().SetDispatcher([](int id) { calls.push_back("command " + std::to_string(id)); });
  struct Case {
    bool installed;
    int keepInstalled;
    bool picked;
    std::vector<std::string> calls;
    bool stillInstalled;
  };
  const Case cases[] = {
      {true, 0, true, {"callback, secondary empty"}, false},
      {false, 0, true, {"callback, secondary empty", "command 3600"}, false},
      {true, 1, true, {"callback, secondary kept"}, true},
      {true, 0, false, {}, true},
  };
  for (const Case& c : cases) {
    calls.clear();
    StartCallbackTool(
        [](CPickCallbackTool* tool) {
          calls.push_back(TheScene.secondaryTool == tool ? "callback, secondary kept" : "callback, secondary empty");
        },
        kKindCurve, 0);
    CPickCallbackTool& tool = PickCallbackTool();
    if (!c.installed) TheScene.secondaryTool = nullptr;
    tool.keepInstalled = c.keepInstalled;
    tool.picked = c.picked ? first : nullptr;
    tool.OnLButtonUp(0, 1, 1);
    ProgramCommandQueue().Drain();
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(TheScene.secondaryTool == &tool, c.installed && c.stillInstalled);
  }
}

}  // namespace

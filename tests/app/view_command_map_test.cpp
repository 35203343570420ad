#include "app/view_command_map.h"

#include <memory>
#include <vector>

#include "app/command_routing.h"
#include "kernel/geom_object.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "routed_view_fixture.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/transform_tool.h"
#include "scene/undo_history.h"
#include "scene/vorn_view.h"
#include "services/snap_step.h"

namespace {

// A tool with an Undo of its own, which counts.
class StepTool : public CTool {
 public:
  void Undo() override { ++undone; }
  int undone = 0;
};

// A tool that keeps the base class's empty Undo.
class PlainTool : public CTool {};

// The active view of a document, routed first on the chain; the application holds New.
class ViewCommandMapTest : public VornViewTest {
 protected:
  void SetUp() override {
    VornViewTest::SetUp();
    viewHolder = std::make_unique<CommandMap>(BuildViewCommandMap(*view));
    application.AddRow({57600, HandlerKind::kDirect, [this] { ++newDocuments; }});
    ProgramCommandRouter().SetChain([this] { return std::vector<CommandHolder*>{viewHolder.get(), &application}; });
  }

  std::unique_ptr<CommandMap> viewHolder;
  CommandMap application;
  int newDocuments = 0;
};

TEST_F(ViewCommandMapTest, TheViewHoldsItsOwnCommandsOnly) {
  std::vector<int> held = {3300, 3301, 3310, 3311, 3410, 3411, 3412, 3413, 3414, 3440, 3441, 3600, 57643, 57644, 1103,
                           5000, 5001, 5002, 5003, 5010, 1000, 3002, 3415, 3601, 3602};
  for (int id = 3100; id <= 3105; ++id) held.push_back(id);
  for (int id = 3200; id <= 3206; ++id) held.push_back(id);
  for (const int id : {3400, 3401, 3402, 3403, 3420, 3421, 3422, 3423, 3430, 3431}) held.push_back(id);
  for (const int id : held) EXPECT_TRUE(viewHolder->HasCommand(id)) << id;
  for (const int id : {5004, 3106, 3207, 3442, 57600, 57603}) EXPECT_FALSE(viewHolder->HasCommand(id)) << id;
}

TEST_F(ViewCommandMapTest, WithoutAChildWindowViewCommandsAreDisabledButTheApplicationsRun) {
  ASSERT_TRUE(ProgramCommandRouter().Dispatch(3201));
  EXPECT_EQ(view->viewType, 1);
  viewHolder.reset();
  EXPECT_FALSE(ProgramCommandRouter().IsEnabled(3203));
  EXPECT_FALSE(ProgramCommandRouter().Dispatch(3203));
  EXPECT_EQ(view->viewType, 1);
  EXPECT_TRUE(ProgramCommandRouter().IsEnabled(57600));
  EXPECT_TRUE(ProgramCommandRouter().Dispatch(57600));
  EXPECT_EQ(newDocuments, 1);
}

TEST_F(ViewCommandMapTest, CheckMarksFollowTheActiveView) {
  view->displayMode = 20;
  view->viewType = 4;
  const std::vector<std::pair<int, bool>> marks = {
      {3100, false}, {3101, false}, {3102, true},  {3103, false}, {3104, false}, {3105, false},
      {3200, false}, {3201, false}, {3202, false}, {3203, false}, {3204, true},  {3205, false},
      {3206, false}, {3002, true},  {5010, false}};
  for (const auto& [id, checked] : marks) EXPECT_EQ(ProgramCommandRouter().CommandCheck(id), checked) << id;

  const std::vector<std::pair<int, int>> modes = {{3100, 10}, {3101, 0}, {3103, 100}, {3104, 300}, {3105, 400}};
  for (const auto& [id, mode] : modes) {
    view->displayMode = mode;
    EXPECT_EQ(ProgramCommandRouter().CommandCheck(id), true) << id;
  }
  view->viewType = 0;
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(3200), true);
  ToggleSnapStep();
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(3002), false);
  ToggleTransformReference();
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(5010), true);
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(3300), std::nullopt);
}

TEST_F(ViewCommandMapTest, TransformCommandsStartTheirToolsInTheReferenceInForce) {
  const std::vector<std::pair<int, const char*>> tools = {
      {5000, "<World Origin> Moving"}, {5001, "<World Origin> Sizing"}, {5002, "<World Origin> Flipping"},
      {5003, "<World Origin> Rolling"}};
  for (const auto& [id, prompt] : tools) {
    ASSERT_TRUE(ProgramCommandRouter().Dispatch(id));
    EXPECT_EQ(GetCurrentToolCursorId(), id);
    EXPECT_EQ(Headless().statusTexts.back(), prompt);
  }
  ASSERT_TRUE(ProgramCommandRouter().Dispatch(5010));
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(5010), true);
  ASSERT_TRUE(ProgramCommandRouter().Dispatch(5000));
  EXPECT_EQ(Headless().statusTexts.back(), "<Object Axis> Moving");
}

TEST_F(ViewCommandMapTest, UndoGoesToTheCurrentTool) {
  auto owned = std::make_unique<CGeomObject>();
  CGeomObject* object = AddObject(owned, 0);
  const int added = object->ObjectState;

  auto* stepTool = new StepTool();
  StoreDefaultTool(stepTool);
  ASSERT_TRUE(ProgramCommandRouter().Dispatch(57643));
  EXPECT_EQ(stepTool->undone, 1);
  EXPECT_EQ(object->ObjectState, added);

  StoreDefaultTool(new PlainTool());
  ASSERT_TRUE(ProgramCommandRouter().Dispatch(57643));
  EXPECT_EQ(object->ObjectState, added);

  ASSERT_TRUE(ProgramCommandRouter().Dispatch(3600));
  ASSERT_TRUE(ProgramCommandRouter().Dispatch(57643));
  EXPECT_NE(object->ObjectState, added);
  ASSERT_TRUE(ProgramCommandRouter().Dispatch(57644));
  EXPECT_EQ(object->ObjectState, added);
}

}  // namespace

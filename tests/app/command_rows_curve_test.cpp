#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/view_command_map.h"
#include "modelling/curve_command_ids.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "scene/pick_callback_tool.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene/vorn_view.h"

namespace {

class CurveRowsTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    view = std::make_unique<CVornView>(&document);
    view->OnSize(kSizeMaximized, 200, 150);
    view->OnActivateView(true);
  }

  static const CommandRow* Registered(int id) {
    const auto rows = CommandTableRows();
    const auto found = std::find_if(rows.begin(), rows.end(), [id](const CommandRow& row) { return row.id == id; });
    return found != rows.end() ? &*found : nullptr;
  }

  CUndoHistory document;
  std::unique_ptr<CVornView> view;
};

TEST_F(CurveRowsTest, EachRowHasItsKindAndEveryViewHoldsIt) {
  struct Row {
    int id;
    HandlerKind kind;
  };
  const Row rows[] = {
      {kSketchCurveCommand, HandlerKind::kDirect},       {kCurveCloseCommand, HandlerKind::kDirect},
      {kCurveOpenCommand, HandlerKind::kDirect},         {kCurveReverseCommand, HandlerKind::kResetFirst},
      {kJoinCurvesCommand, HandlerKind::kResetFirst},    {kSplitCurveCommand, HandlerKind::kResetFirst},
      {kInBetweenCurveCommand, HandlerKind::kResetFirst}, {kCurveLengthCommand, HandlerKind::kResetFirst},
      {kMakeLineCommand, HandlerKind::kDirect},          {kMakeCircleCommand, HandlerKind::kDirect},
      {kMakePolygonCommand, HandlerKind::kDirect},       {kMakeHelixCommand, HandlerKind::kDirect},
      {kCurveDivideCommand, HandlerKind::kDirect},       {kOffsetCurveCommand, HandlerKind::kResetFirst},
  };
  std::vector<int> heldTwice;
  const CommandMap holder = BuildViewCommandMap(*view, &heldTwice);
  EXPECT_TRUE(heldTwice.empty());
  EXPECT_TRUE(RegisterCommandRows().empty());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const CommandRow* registered = Registered(row.id);
    ASSERT_NE(registered, nullptr);
    EXPECT_EQ(registered->kind, row.kind);
    EXPECT_TRUE(holder.HasCommand(row.id));
  }
}

TEST_F(CurveRowsTest, PickCommandsResetFirstThenInstallTheirTool) {
  CommandMap holder = BuildViewCommandMap(*view);
  struct Case {
    int id;
    const char* prompt;
  };
  const Case cases[] = {{kInBetweenCurveCommand, "Pick two curves to create a curve in between them"},
                        {kCurveLengthCommand, "Pick a curve to measure its length..."}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    Headless().statusTexts.clear();
    holder.RunCommand(c.id);
    EXPECT_NE(dynamic_cast<CPickCallbackTool*>(GetTool(0)), nullptr);
    const std::vector<std::string>& texts = Headless().statusTexts;
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Picking..."), texts.end());
    EXPECT_EQ(texts.back(), c.prompt);
  }
}

}  // namespace

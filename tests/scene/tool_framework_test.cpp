#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/design_file.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/tool_lifetime.h"
#include "scene_fixture.h"
#include "services/ui_utilities.h"
#include "temp_dir.h"

namespace {

// What happened, in order, across tools and posted commands.
std::vector<std::string> events;

// A tool that notes its destruction and the viewport active at that moment.
class ProbeTool : public CTool {
 public:
  ProbeTool(int mode, std::string name, int cursor = 0)
      : CTool(mode), name_(std::move(name)), cursor_(cursor) {}
  ~ProbeTool() override {
    events.push_back("~" + name_);
    activeAtDestruction = GetActiveView();
  }
  int GetCursorId() const override { return cursor_; }

  static inline CViewport* activeAtDestruction = nullptr;

 protected:
  std::string name_;
  int cursor_;
};

// Replaces itself from its release handler, then reads its own fields.
class SelfReplacingTool : public ProbeTool {
 public:
  SelfReplacingTool() : ProbeTool(0, "self") {}
  void OnLButtonUp(int, int, int) override {
    ResetToPickTool();
    events.push_back("after reset " + name_);
  }
};

class ToolFrameworkTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    events.clear();
    Headless().hasMainWindow = true;
    ProgramCommandQueue().SetDispatcher([](int id) { events.push_back("command " + std::to_string(id)); });
  }
};

TEST_F(ToolFrameworkTest, ConstructionFollowsTheSlotRules) {
  auto* first = new ProbeTool(0, "default", 10);
  EXPECT_EQ(TheScene.defaultTool.get(), first);
  EXPECT_EQ(GetCurrentToolCursorId(), 10);

  // A new overlay retires the old one, and any construction retires the overlay.
  auto* overlay = new ProbeTool(2, "overlay", 20);
  EXPECT_EQ(TheScene.overlayTool.get(), overlay);
  new ProbeTool(2, "overlay2", 21);
  EXPECT_EQ(events, (std::vector<std::string>{"~overlay"}));
  ProbeTool secondary(1, "secondary", 30);
  EXPECT_EQ(TheScene.overlayTool, nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"~overlay", "~overlay2"}));
  EXPECT_EQ(TheScene.secondaryTool, &secondary);

  // Current tool and cursor: secondary, then overlay, then default.
  auto* overlay3 = new ProbeTool(2, "overlay3", 22);
  TheScene.secondaryTool = &secondary;
  EXPECT_EQ(GetTool(0), &secondary);
  EXPECT_EQ(GetCurrentToolCursorId(), 30);
  EXPECT_EQ(TakeSecondaryTool(), &secondary);
  EXPECT_EQ(GetTool(0), overlay3);
  EXPECT_EQ(GetCurrentToolCursorId(), 22);
  TheScene.overlayTool.reset();
  EXPECT_EQ(GetCurrentToolCursorId(), 10);
  EXPECT_EQ(ProgramCommandQueue().Pending(), 0u);

  // Without a secondary tool the pick command is posted.
  EXPECT_EQ(TakeSecondaryTool(), nullptr);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(events.back(), "command 3600");

  // Mode 0 without an active viewport installs nothing and keeps the default tool, but clears
  // the secondary slot.
  TheScene.secondaryTool = &secondary;
  SetActiveView(nullptr);
  ProbeTool unplaced(0, "unplaced");
  EXPECT_EQ(TheScene.defaultTool.get(), first);
  EXPECT_EQ(TheScene.secondaryTool, nullptr);
}

TEST_F(ToolFrameworkTest, ANewDefaultToolBeginsAnUndoStep) {
  CGeomObject* object = LinkObjects({0})[0];
  RecordUndo(object, kUndoChanged);
  const int step = document.index;
  new ProbeTool(0, "tool");
  EXPECT_EQ(document.newStep, 1);
  RecordUndo(object, kUndoChanged);
  EXPECT_EQ(document.index, step + 1);
}

TEST_F(ToolFrameworkTest, ResetToPickToolShowsPickingAndSetsTheCursor) {
  ResetToPickTool();
  auto* pick = dynamic_cast<CPickTool*>(TheScene.defaultTool.get());
  ASSERT_NE(pick, nullptr);
  EXPECT_EQ(Headless().statusTexts.back(), "Picking...");
  EXPECT_EQ(Headless().toolCursors, (std::vector<int>{3600}));
  pick->pointMode = 1;
  EXPECT_EQ(GetCurrentToolCursorId(), 3601);
}

// Whatever ends a tool, the status bar goes back to the prompt of the tool that runs now.
TEST_F(ToolFrameworkTest, TheStatusBarShowsThePromptOfTheRunningTool) {
  const auto shown = [] { return Headless().statusTexts.back(); };
  auto* move = new ProbeTool(0, "move");
  ShowToolPrompt(move, "<World> Move");
  ShowStatusText("    X 1    Y 2    Z 3");
  UndoWithCurrentTool();
  EXPECT_EQ(shown(), "<World> Move");

  auto* overlay = new ProbeTool(2, "overlay");
  ShowToolPrompt(overlay, "Zoom box");
  RetireTool(std::move(TheScene.overlayTool));
  EXPECT_EQ(shown(), "<World> Move");

  ProbeTool secondary(1, "secondary");
  ShowToolPrompt(&secondary, "Pick a point");
  RedoWithCurrentTool();
  EXPECT_EQ(shown(), "Pick a point");
  TakeSecondaryTool();
  EXPECT_EQ(shown(), "<World> Move");

  // A replacement without a prompt of its own leaves the bar empty, not the old prompt.
  new ProbeTool(0, "quiet");
  EXPECT_EQ(shown(), "");
  ResetToPickTool();
  EXPECT_EQ(shown(), "Picking...");
}

TEST_F(ToolFrameworkTest, AToolReplacingItselfInItsHandlerDiesBeforeTheNextCommand) {
  auto* tool = new SelfReplacingTool();
  SendCommand(4000);
  {
    ToolCallGuard call(GetTool(0));
    GetTool(0)->OnLButtonUp(kMouseLeftButton, 1, 1);
    // Already out of its slot: the new pick tool is current at once.
    EXPECT_NE(GetTool(0), tool);
    EXPECT_NE(dynamic_cast<CPickTool*>(GetTool(0)), nullptr);
  }
  EXPECT_EQ(RetiredToolCount(), 1);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(events, (std::vector<std::string>{"after reset self", "~self", "command 4000"}));
  EXPECT_EQ(RetiredToolCount(), 0);
}

TEST_F(ToolFrameworkTest, AReplacementOutsideAnyHandlerDestroysAtOnce) {
  new ProbeTool(0, "old");
  new ProbeTool(0, "new");
  EXPECT_EQ(events, (std::vector<std::string>{"~old"}));

  // Without an active viewport the pick tool is stored over the old default tool, which goes.
  SetActiveView(nullptr);
  ResetToPickTool();
  EXPECT_EQ(events, (std::vector<std::string>{"~old", "~new"}));
  EXPECT_NE(dynamic_cast<CPickTool*>(TheScene.defaultTool.get()), nullptr);
  EXPECT_EQ(RetiredToolCount(), 0);
}

TEST_F(ToolFrameworkTest, UndoAndRedoGoToTheCurrentTool) {
  ResetToPickTool();
  CGeomObject* object = LinkObjects({0})[0];
  RecordUndo(object, kUndoChanged);
  object->ObjectState = 1;
  UndoWithCurrentTool();
  EXPECT_EQ(object->ObjectState, 0);
  RedoWithCurrentTool();
  EXPECT_EQ(object->ObjectState, 1);
}

TEST_F(ToolFrameworkTest, AClosingViewportUnbindsItsTools) {
  auto* tool = new ProbeTool(0, "tool");
  ProbeTool loose(1, "loose");
  {
    CViewport pane;
    pane.documentHistory = &document;
    SetActiveView(&pane);
    tool->ownerHistory = &document;
    SetActiveView(&view);
    SetActiveView(&pane);
    EXPECT_EQ(tool->boundViewport, &pane);
    loose.boundViewport = &pane;
  }
  EXPECT_EQ(tool->boundViewport, nullptr);
  EXPECT_EQ(loose.boundViewport, nullptr);
  TheScene.secondaryTool = nullptr;
}

TEST_F(ToolFrameworkTest, AClosingDocumentDestroysItsOwnToolWithNoViewportActive) {
  for (const bool inItsHandler : {false, true}) {
    SCOPED_TRACE(inItsHandler);
    events.clear();
    ProbeTool::activeAtDestruction = &view;
    auto history = std::make_unique<TestDocument>();
    history->ownedTool = std::make_unique<ProbeTool>(1, "owned");
    TheScene.secondaryTool = nullptr;
    {
      ToolCallGuard call(inItsHandler ? history->ownedTool.get() : nullptr);
      history.reset();
      EXPECT_EQ(RetiredToolCount(), inItsHandler ? 1 : 0);
    }
    DestroyRetiredTools();
    EXPECT_EQ(events, (std::vector<std::string>{"~owned"}));
    EXPECT_EQ(ProbeTool::activeAtDestruction, nullptr);
    EXPECT_EQ(GetActiveView(), &view);
  }

  // Without a tool of its own, the document's default tool is unbound.
  auto other = std::make_unique<TestDocument>();
  auto* tool = new ProbeTool(0, "tool");
  tool->ownerHistory = other.get();
  tool->boundViewport = &view;
  other.reset();
  EXPECT_EQ(tool->boundViewport, nullptr);
}

TEST_F(ToolFrameworkTest, NewAndSavedScenesStartFromAFreshPickTool) {
  new ProbeTool(0, "old");
  NewScene(&document);
  EXPECT_EQ(events, (std::vector<std::string>{"~old"}));
  EXPECT_NE(dynamic_cast<CPickTool*>(TheScene.defaultTool.get()), nullptr);

  new ProbeTool(0, "before save");
  TempDir folder;
  ASSERT_EQ(SaveScene(&document, folder.File("ring.lxd")), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"~old", "~before save"}));
  EXPECT_NE(dynamic_cast<CPickTool*>(TheScene.defaultTool.get()), nullptr);
}

}  // namespace

#include "app/command_routing.h"

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "services/progress.h"
#include "services/ui_utilities.h"

namespace {

// A tool that only shows a cursor of its own.
class CursorTool : public CTool {
 public:
  explicit CursorTool(int cursor) : cursor_(cursor) {}
  int GetCursorId() const override { return cursor_; }

 private:
  int cursor_;
};

class CommandRoutingTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    ProgramCommandRouter().SetChain([this] {
      return std::vector<CommandHolder*>{view.get(), &document, nullptr, &mainFrame};
    });
    // The main frame dispatches posted commands through the router as well.
    ProgramCommandQueue().SetDispatcher([](int id) { ProgramCommandRouter().Dispatch(id); });
  }

  // A row that notes its id when it runs.
  CommandRow Noting(int id, HandlerKind kind = HandlerKind::kDirect) {
    return {id, kind, [this, id] { log.push_back(std::to_string(id)); }};
  }

  std::unique_ptr<CommandMap> view = std::make_unique<CommandMap>();
  CommandMap document, mainFrame;
  std::vector<std::string> log;
};

TEST_F(CommandRoutingTest, HandlerKindsRunTheirStepsInOrder) {
  struct Case {
    HandlerKind kind;
    bool workerStartsTool;
    bool pickToolDuringWorker;
    int lastCursor;
  };
  const Case cases[] = {
      {HandlerKind::kDirect, false, false, 7000},
      {HandlerKind::kDirect, true, false, 8004},
      {HandlerKind::kResetFirst, false, true, 3600},
      {HandlerKind::kResetFirst, true, true, 8004},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind) * 10 + c.workerStartsTool);
    StoreDefaultTool(new CursorTool(7000));
    Headless().toolCursors.clear();
    bool pickTool = false;
    std::size_t cursorsBeforeWorker = 0;
    view->AddRow({1000, c.kind, [&] {
                    pickTool = dynamic_cast<CPickTool*>(GetTool(0)) != nullptr;
                    cursorsBeforeWorker = Headless().toolCursors.size();
                    if (c.workerStartsTool) StoreDefaultTool(new CursorTool(8004));
                  }});
    EXPECT_TRUE(ProgramCommandRouter().Dispatch(1000));
    EXPECT_EQ(pickTool, c.pickToolDuringWorker);
    // The cursor is set once more after the worker, even when the worker did nothing.
    ASSERT_EQ(Headless().toolCursors.size(), cursorsBeforeWorker + 1);
    EXPECT_EQ(Headless().toolCursors.back(), c.lastCursor);
  }
}

TEST_F(CommandRoutingTest, AViewHandlerRunsAlone) {
  StoreDefaultTool(new CursorTool(7000));
  Headless().toolCursors.clear();
  view->AddRow(Noting(3440, HandlerKind::kView));
  EXPECT_TRUE(ProgramCommandRouter().Dispatch(3440));
  EXPECT_EQ(log, (std::vector<std::string>{"3440"}));
  EXPECT_TRUE(Headless().toolCursors.empty());
  EXPECT_EQ(GetTool(0)->GetCursorId(), 7000);
}

TEST_F(CommandRoutingTest, TheFirstHolderOnTheChainWinsAndAnIdNoneHoldsIsDisabled) {
  view->AddRow({57603, HandlerKind::kView, [this] { log.push_back("view 57603"); }});
  document.AddRow(Noting(57603));
  ASSERT_TRUE(ProgramCommandRouter().Dispatch(57603));
  EXPECT_EQ(log, (std::vector<std::string>{"view 57603"}));
  EXPECT_TRUE(ProgramCommandRouter().IsEnabled(57603));
  EXPECT_FALSE(ProgramCommandRouter().IsEnabled(9999));
  EXPECT_FALSE(ProgramCommandRouter().Dispatch(9999));

  view.reset();
  ASSERT_TRUE(ProgramCommandRouter().Dispatch(57603));
  EXPECT_EQ(log, (std::vector<std::string>{"view 57603", "57603"}));
}

TEST_F(CommandRoutingTest, ChecksComeFromTheFirstHolderThatSetsOne) {
  bool fineSnap = true;
  view->AddCheck(3002, [&] { return fineSnap; });
  mainFrame.AddCheck(3501, [] { return false; });
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(3002), true);
  fineSnap = false;
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(3002), false);
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(3501), false);
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(3100), std::nullopt);
  view.reset();
  EXPECT_EQ(ProgramCommandRouter().CommandCheck(3002), std::nullopt);
}

TEST_F(CommandRoutingTest, PostedCommandsRunAfterTheDispatchInOrder) {
  view->AddRow({4005, HandlerKind::kResetFirst, [this] {
                  SendCommand(201);
                  SendCommand(202);
                  // A nested pass of the main loop runs nothing while a command runs.
                  ProgramCommandQueue().Drain();
                  log.push_back("4005 done");
                }});
  view->AddRow(Noting(201));
  mainFrame.AddRow(Noting(202));
  ProgramCommandRouter().Dispatch(4005);
  EXPECT_EQ(log, (std::vector<std::string>{"4005 done"}));
  ProgramCommandQueue().Drain();
  EXPECT_EQ(log, (std::vector<std::string>{"4005 done", "201", "202"}));
}

TEST_F(CommandRoutingTest, ACommandPostedInADialogOrProgressWindowRunsAfterItCloses) {
  view->AddRow(Noting(201));
  const auto postAndPump = [this] {
    SendCommand(201);
    ProgramCommandQueue().Drain();
    log.push_back("closing");
  };
  // Each opens its window from a command that runs outside any dispatch (a timer, say).
  const std::function<void()> windows[] = {
      [&] {
        CProgress progress;
        ASSERT_TRUE(progress.Open(10, "Slicing", 1));
        postAndPump();
      },
      [&] {
        class Modal : public DialogModel {
         public:
          const char* DialogName() const override { return "Modal"; }
        } dialog;
        Headless().AnswerDialog("Modal", [&](DialogModel&) {
          postAndPump();
          return kAnswerOk;
        });
        RunModalDialog(dialog);
      },
  };
  for (const auto& openWindow : windows) {
    log.clear();
    openWindow();
    EXPECT_EQ(log, (std::vector<std::string>{"closing"}));
    ProgramCommandQueue().Drain();
    EXPECT_EQ(log, (std::vector<std::string>{"closing", "201"}));
  }
}

// A command that runs out of memory: the dispatch says so and the program goes on to the next.
TEST_F(CommandRoutingTest, ACommandThatRunsOutOfMemoryIsAMessage) {
  view->AddRow({7, HandlerKind::kDirect, [] { throw std::bad_alloc(); }});
  view->AddRow(Noting(8));
  EXPECT_TRUE(ProgramCommandRouter().Dispatch(7));
  EXPECT_TRUE(ProgramCommandRouter().Dispatch(8));
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Not enough memory to perform operations!");
  EXPECT_EQ(log, std::vector<std::string>{"8"});
}

}  // namespace

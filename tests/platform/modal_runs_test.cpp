#include <vector>

#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/ui_services.h"
#include "program_state.h"

namespace {

class TraceDialog : public DialogModel {
 public:
  const char* DialogName() const override { return "Trace"; }
  void OnInitDialog() override { trace.push_back("init"); }
  void OnOK() override { trace.push_back("ok"); }
  std::vector<std::string> trace;
};

class ModalRunsTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    // The main loop drains as soon as it is woken.
    ProgramCommandQueue().SetDispatcher([this](int id) { ran.push_back(id); });
    ProgramCommandQueue().SetWakeMainLoop([] { ProgramCommandQueue().Drain(); });
  }
  std::vector<int> ran;
};

TEST_F(ModalRunsTest, ADialogIsInitialisedShownAndConfirmedOnlyOnOk) {
  TraceDialog dialog;
  Headless().AnswerDialog("Trace", [&](DialogModel&) {
    dialog.trace.push_back("shown");
    return kAnswerOk;
  });
  Headless().AnswerDialog("Trace", [](DialogModel&) { return kAnswerCancel; });
  EXPECT_EQ(RunModalDialog(dialog), kAnswerOk);
  EXPECT_EQ(RunModalDialog(dialog), kAnswerCancel);
  EXPECT_EQ(dialog.trace, (std::vector<std::string>{"init", "shown", "ok", "init"}));
}

TEST_F(ModalRunsTest, ACommandPostedDuringAModalRunRunsOnceAfterIt) {
  TraceDialog dialog;
  Headless().AnswerDialog("Trace", [&](DialogModel&) {
    ProgramCommandQueue().Post(3600);
    EXPECT_TRUE(ran.empty());
    return kAnswerCancel;
  });
  RunModalDialog(dialog);
  EXPECT_EQ(ran, (std::vector<int>{3600}));

  Headless().fileAnswers.push_back(std::nullopt);
  {
    CommandQueueHold job;
    RunFileDialog({});
    ProgramCommandQueue().Post(7000);
  }
  EXPECT_EQ(ran, (std::vector<int>{3600, 7000}));
}

TEST_F(ModalRunsTest, AnUnscriptedQuestionIsReportedAndAnsweredNo) {
  std::vector<std::string> reported;
  Headless().onUnscripted = [&](const std::string& what) { reported.push_back(what); };
  TraceDialog dialog;
  EXPECT_EQ(RunMessageBox("Sure?", "Lumidrex", kMessageYesNo), kAnswerNo);
  EXPECT_EQ(RunModalDialog(dialog), kAnswerCancel);
  EXPECT_EQ(RunMessageBox("Done", "Lumidrex", kMessageOk), kAnswerOk);
  EXPECT_EQ(reported, (std::vector<std::string>{"message box \"Sure?\"", "dialog Trace"}));
}

}  // namespace

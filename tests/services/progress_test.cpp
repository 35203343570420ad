#include "services/progress.h"

#include "services/string_table.h"


#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"

namespace {

using ProgressTest = LumidrexTest;

const std::string& Caption() { return Headless().progress.captions.back(); }

TEST_F(ProgressTest, TheCaptionShowsTheTitleAndThePercentage) {
  CProgress progress;
  ASSERT_TRUE(progress.Open(200, "T", 1));
  EXPECT_EQ(Headless().progress.captions, (std::vector<std::string>{"Lumidrex 5.1", "T"}));
  EXPECT_EQ(Headless().progress.cancelText, GetLocalizedString(2));
  for (int i = 0; i < 100; ++i) EXPECT_EQ(progress.StepIt(), 0);
  EXPECT_EQ(Caption(), "T 50%");
  EXPECT_EQ(Headless().progress.position, 100);
  for (int i = 0; i < 100; ++i) progress.StepIt();
  EXPECT_EQ(Caption(), "T 100%");
  // Set only when it changes: 0% to 100% once each.
  EXPECT_EQ(Headless().progress.captions.size(), 2u + 101u);
  EXPECT_EQ(Headless().progress.upper, 200);
  progress.Close();
  EXPECT_FALSE(Headless().progress.open);
}

TEST_F(ProgressTest, AnEmptyRangeIsDoneAtOnceAndLargeRangesKeepTheirWhole) {
  CProgress empty;
  empty.Open(0, "T", 1);
  empty.StepIt();
  EXPECT_EQ(Caption(), "T 100%");
  empty.Close();

  CProgress large;
  large.Open(3000000, "Slicing", 1000);
  EXPECT_EQ(Headless().progress.upper, 3000000);
  for (int i = 0; i < 3000; ++i) {
    large.StepIt();
    if (i == 299) {
      EXPECT_EQ(Caption(), "Slicing 10%");
    }
    if (i == 2249) {
      EXPECT_EQ(Caption(), "Slicing 75%");
    }
  }
  EXPECT_EQ(Caption(), "Slicing 100%");
}

TEST_F(ProgressTest, SteppingPastTheEndWrapsAsTheBarDid) {
  CProgress progress;
  progress.Open(200, "T", 1);
  for (int i = 0; i < 202; ++i) progress.StepIt();
  EXPECT_EQ(Caption(), "T 1%");
}

TEST_F(ProgressTest, CancelAsksAndOnlyYesStopsTheJob) {
  int pumps = 0;
  Headless().onProgressPump = [&](ProgressWindowClient& window) {
    // Cancel during the 3rd step and again during the 5th; Enter during the 4th.
    ++pumps;
    if (pumps == 5 || pumps == 9) window.OnCancel();
    if (pumps == 7) window.OnOK();
  };
  Headless().messageAnswers = {kAnswerNo, kAnswerYes};
  CProgress progress;
  progress.OpenWithStringId(10, 10124, 1);
  EXPECT_EQ(Caption(), "Rendering to file...");
  std::vector<int> results;
  for (int i = 0; i < 6; ++i) results.push_back(progress.StepIt());
  EXPECT_EQ(results, (std::vector<int>{0, 0, 0, 0, 1, 0}));
  ASSERT_EQ(Headless().messages.size(), 2u);
  EXPECT_EQ(Headless().messages[0].text, "Are you sure to Cancel?");
  EXPECT_EQ(Headless().messages[0].caption, "Lumidrex 5.1");
  EXPECT_EQ(Headless().messages[0].buttons, kMessageYesNo);
  EXPECT_TRUE(Headless().progress.open);  // Enter and Cancel leave the window open
}

TEST_F(ProgressTest, PostedCommandsWaitUntilTheWindowCloses) {
  std::vector<int> ran;
  ProgramCommandQueue().SetDispatcher([&](int id) { ran.push_back(id); });
  ProgramCommandQueue().SetWakeMainLoop([] { ProgramCommandQueue().Drain(); });
  Headless().onProgressPump = [&](ProgressWindowClient&) {
    if (Headless().progress.pumps == 1) ProgramCommandQueue().Post(3600);
  };
  CProgress progress;
  progress.Open(5, "T", 1);
  for (int i = 0; i < 5; ++i) progress.StepIt();
  EXPECT_TRUE(ran.empty());
  progress.Close();
  EXPECT_EQ(ran, (std::vector<int>{3600}));
}

TEST_F(ProgressTest, AWindowThatCannotOpenIsReportedAndStepsDoNothing) {
  Headless().progressWindowFails = true;
  CProgress progress;
  EXPECT_FALSE(progress.Open(10, "T", 1));
  EXPECT_EQ(progress.StepIt(), 0);
  EXPECT_FALSE(ProgramCommandQueue().Held());
  EXPECT_EQ(progress.dialog(), nullptr);
}

}  // namespace

#include "services/ui_utilities.h"

#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "services/snap_step.h"

namespace {

using UiUtilitiesTest = LumidrexTest;

TEST_F(UiUtilitiesTest, ToggleSnapStepSwitchesAndSaysWhichIsOn) {
  EXPECT_FLOAT_EQ(SnapFactor, 0.1f);
  EXPECT_EQ(IsFineSnap(), 1);
  ToggleSnapStep();
  EXPECT_FLOAT_EQ(SnapFactor, 1.0f);
  EXPECT_EQ(IsFineSnap(), 0);
  ToggleSnapStep();
  EXPECT_FLOAT_EQ(SnapFactor, 0.1f);
  EXPECT_EQ(Headless().statusTexts, (std::vector<std::string>{"Coarse snapping", "Fine snapping"}));
  EXPECT_EQ(StatusTextCache, "Fine snapping");
}

TEST_F(UiUtilitiesTest, WithoutAMainWindowStatusTextDoesNothing) {
  Headless().hasMainWindow = false;
  ShowStatusText("Picking...");
  EXPECT_TRUE(Headless().statusTexts.empty());
  EXPECT_EQ(StatusTextCache, "");
}

TEST_F(UiUtilitiesTest, MessageBoxesCarryTheApplicationTitle) {
  EXPECT_EQ(ShowMessageBox("Cannot open file!"), kAnswerOk);
  Headless().messageAnswers.push_back(kAnswerYes);
  EXPECT_EQ(ShowMessageBox("Sure?", "Lumidrex", kMessageYesNo), kAnswerYes);
  ASSERT_EQ(Headless().messages.size(), 2u);
  EXPECT_EQ(Headless().messages[0].caption, "Lumidrex 5.1");
  EXPECT_EQ(Headless().messages[0].buttons, kMessageOk);
  EXPECT_EQ(Headless().messages[1].caption, "Lumidrex");
}

TEST_F(UiUtilitiesTest, WaitCursorCallsNestAndAnUnmatchedEndDoesNothing) {
  EndWait();
  EXPECT_EQ(Headless().waitDepth, 0);
  BeginWait();
  BeginWait();
  EndWait();
  EXPECT_EQ(Headless().waitDepth, 1);
  EndWait();
  EndWait();
  EXPECT_EQ(Headless().waitDepth, 0);
}

int toolCursorId = 0;

TEST_F(UiUtilitiesTest, TheToolCursorIsTheArrowUntilTheToolFrameworkTells) {
  SetToolCursor();
  toolCursorId = 7000;
  SetToolCursorIdSource([] { return toolCursorId; });
  SetToolCursor();
  EXPECT_EQ(Headless().toolCursors, (std::vector<int>{0, 7000}));
}

TEST_F(UiUtilitiesTest, CheckUserAbortAsksTheInputMonitor) {
  EXPECT_EQ(CheckUserAbort(), 0);
  Headless().heldInput = {{HeldInput::Kind::kKeyDown, kVirtualKeyEscape}};
  EXPECT_EQ(CheckUserAbort(), 1);
  EXPECT_EQ(Headless().polls, 2);
}

TEST_F(UiUtilitiesTest, PickColorReturnsTheChoiceOrNoColor) {
  Headless().colorAnswers = {0x00FF00, std::nullopt};
  EXPECT_EQ(PickColor(0x123456), 0x00FF00u);
  EXPECT_EQ(PickColor(0x123456), kNoColor);
  EXPECT_EQ(Headless().colorRequests, (std::vector<std::uint32_t>{0x123456, 0x123456}));
}

TEST_F(UiUtilitiesTest, SendCommandPostsForLater) {
  std::vector<int> ran;
  ProgramCommandQueue().SetDispatcher([&](int id) { ran.push_back(id); });
  EXPECT_EQ(SendCommand(3600), 1);
  EXPECT_TRUE(ran.empty());
  ProgramCommandQueue().Drain();
  EXPECT_EQ(ran, (std::vector<int>{3600}));
}

}  // namespace

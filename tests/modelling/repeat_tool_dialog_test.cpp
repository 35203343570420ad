#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "curve_fixture.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/revolve_tool_dialog.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/input_tools.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/tool_lifetime.h"

namespace {

constexpr int kExtendCommand = 7005;
constexpr int kRevolveCommand = 7006;

// Commands that ask the two dialogs, as the curve commands do, and note what the second phase
// gave back; Pick resets to the pick tool.
class RepeatToolDialogTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    ResetToPickTool();
    ProgramCommandQueue().SetDispatcher([this](int id) { Dispatch(id); });
  }

  void Dispatch(int id) {
    if (id == kPickCommand) ResetToPickTool();
    if (id == kExtendCommand && RunExtendToolDialog(&count, &vector, &matrix, id, 0) != 0) ++built;
    if (id == kRevolveCommand &&
        RunRevolveToolDialog(&turns, &angle, &full, 2, &clockwise, &matrix, id, 0) != 0) {
      ++built;
    }
  }

  CExtendToolDlg& OpenExtend() {
    Dispatch(kExtendCommand);
    EXPECT_NE(OpenExtendDialog, nullptr);
    return *OpenExtendDialog;
  }
  CRevolveToolDlg& OpenRevolve() {
    Dispatch(kRevolveCommand);
    EXPECT_NE(OpenRevolveDialog, nullptr);
    return *OpenRevolveDialog;
  }

  int count = 2;
  Vector3 vector{1, 0, 0};
  int turns = 4;
  float angle = 90.0f;
  int full = 1;
  int clockwise = 0;
  Matrix4 matrix;
  int built = 0;
};

TEST_F(RepeatToolDialogTest, ExtendOkRunsTheCommandAgainWithTheValues) {
  CExtendToolDlg& dialog = OpenExtend();
  EXPECT_EQ(TheScene.overlayTool.get(), &dialog);
  EXPECT_EQ(GetCurrentToolCursorId(), kVectorDragCursor);
  EXPECT_EQ(Headless().modelessOpened, std::vector<std::string>{"Extend"});
  EXPECT_EQ(dialog.texts[CExtendToolDlg::kNumberEdit], "2");
  dialog.texts[CExtendToolDlg::kNumberEdit] = "3";
  dialog.texts[CExtendToolDlg::kValueEdits[1]] = "2.5";
  dialog.PressOK();
  EXPECT_EQ(built, 0);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(built, 1);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(vector, (Vector3{1, 2.5f, 0}));
  Matrix4 expected = kIdentityMatrix;
  expected[12] = 1;
  expected[13] = 2.5f;
  EXPECT_EQ(matrix, expected);
  EXPECT_EQ(TheScene.overlayTool, nullptr);
  EXPECT_EQ(OpenExtendDialog, nullptr);
  EXPECT_EQ(Headless().modelessClosed, std::vector<std::string>{"Extend"});
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
}

TEST_F(RepeatToolDialogTest, ExtendNumberOneBuildsNothingAndLeavesNoOverlay) {
  CTool* before = GetTool(1);
  CExtendToolDlg& dialog = OpenExtend();
  dialog.texts[CExtendToolDlg::kNumberEdit] = "1";
  dialog.PressOK();
  ProgramCommandQueue().Drain();
  EXPECT_EQ(built, 0);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(TheScene.overlayTool, nullptr);
  EXPECT_EQ(GetTool(0), before);
}

TEST_F(RepeatToolDialogTest, CancelReturnsToPickingAndClosesTheWindow) {
  for (const int command : {kExtendCommand, kRevolveCommand}) {
    SCOPED_TRACE(command);
    Dispatch(command);
    ASSERT_EQ(Headless().modelessOpen.size(), 1u);
    Headless().modelessOpen[0]->PressCancel();
    // Retired from inside its own button, it lived until the button returned.
    EXPECT_EQ(TheScene.overlayTool, nullptr);
    DestroyRetiredTools();
    ProgramCommandQueue().Drain();
    EXPECT_EQ(built, 0);
    EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
    EXPECT_TRUE(Headless().modelessOpen.empty());
  }
  EXPECT_EQ(Headless().modelessClosed, (std::vector<std::string>{"Extend", "Revolve"}));
}

TEST_F(RepeatToolDialogTest, RefusedFieldsPostNothingAndChangeNothing) {
  struct Case {
    int command;
    int field;
    const char* text;
    const char* message;
  };
  const int number = CExtendToolDlg::kNumberEdit;
  const int value = CExtendToolDlg::kValueEdits[2];
  const int revolveNumber = CRevolveToolDlg::kNumberList;
  const int degree = CRevolveToolDlg::kDegreeList;
  const Case cases[] = {
      {kExtendCommand, number, "", "Enter an integer."},
      {kExtendCommand, number, "abc", "Enter an integer."},
      {kExtendCommand, number, "2.5", "Enter an integer."},
      {kExtendCommand, number, "99999999999", "Enter an integer."},
      {kExtendCommand, number, "0", "Enter an integer between 1 and 10000."},
      {kExtendCommand, number, "10001", "Enter an integer between 1 and 10000."},
      {kExtendCommand, value, "", "Enter a number."},
      {kExtendCommand, value, "nan", "Enter a number."},
      {kExtendCommand, value, "inf", "Enter a number."},
      {kExtendCommand, value, "1e40", "Enter a number."},
      {kRevolveCommand, revolveNumber, "abc", "Enter an integer."},
      {kRevolveCommand, revolveNumber, "0", "Enter an integer between 2 and 10000."},
      {kRevolveCommand, revolveNumber, "-4", "Enter an integer between 2 and 10000."},
      {kRevolveCommand, degree, "nan", "Enter a number."},
      {kRevolveCommand, degree, "-inf", "Enter a number."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ResetProgramState();
    SetUp();
    Dispatch(c.command);
    ASSERT_EQ(Headless().modelessOpen.size(), 1u);
    auto& dialog = dynamic_cast<CDataDialog&>(*Headless().modelessOpen[0]);
    dialog.texts[c.field] = c.text;
    Headless().modelessOpen[0]->PressOK();
    ASSERT_EQ(Headless().messages.size(), 1u);
    EXPECT_EQ(Headless().messages[0].text, c.message);
    EXPECT_EQ(dialog.failedField, c.field);
    EXPECT_EQ(RepeatDialogConfirmed, 0);
    EXPECT_TRUE(Headless().modelessClosed.empty());
    ProgramCommandQueue().Drain();
    EXPECT_EQ(built, 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(turns, 4);
  }
}

TEST_F(RepeatToolDialogTest, RevolveCouplingWithFullRevolution) {
  CRevolveToolDlg& dialog = OpenRevolve();
  EXPECT_EQ(dialog.texts[CRevolveToolDlg::kNumberList], "4");
  EXPECT_EQ(dialog.texts[CRevolveToolDlg::kDegreeList], "90");
  dialog.texts[CRevolveToolDlg::kNumberList] = "5";
  dialog.OnNumberEdited();
  EXPECT_EQ(dialog.texts[CRevolveToolDlg::kDegreeList], "72");
  dialog.texts[CRevolveToolDlg::kDegreeList] = "0";
  dialog.OnDegreeEdited();
  EXPECT_EQ(dialog.texts[CRevolveToolDlg::kNumberList], "5");  // a degree under 0.001 sets nothing
  dialog.SetFullRevolution(0);
  dialog.SetFullRevolution(1);
  EXPECT_EQ(dialog.texts[CRevolveToolDlg::kDegreeList], "180");
  EXPECT_EQ(dialog.texts[CRevolveToolDlg::kNumberList], "2");
  // 0.01 degrees would take 36000 copies: refused at OK.
  dialog.texts[CRevolveToolDlg::kDegreeList] = "0.01";
  dialog.OnDegreeEdited();
  EXPECT_EQ(dialog.texts[CRevolveToolDlg::kNumberList], "36000");
  dialog.PressOK();
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Enter an integer between 2 and 10000.");
  // Without full revolution nothing is coupled.
  dialog.SetFullRevolution(0);
  dialog.texts[CRevolveToolDlg::kNumberList] = "6";
  dialog.OnNumberEdited();
  EXPECT_EQ(dialog.texts[CRevolveToolDlg::kDegreeList], "0.01");
}

TEST_F(RepeatToolDialogTest, RevolveSecondPhaseTurnsAboutTheAxis) {
  CRevolveToolDlg& dialog = OpenRevolve();
  dialog.SetFullRevolution(0);
  dialog.texts[CRevolveToolDlg::kDegreeList] = "30";
  dialog.clockwise = 1;
  dialog.PressOK();
  ProgramCommandQueue().Drain();
  ASSERT_EQ(built, 1);
  EXPECT_EQ(full, 0);
  EXPECT_EQ(clockwise, 1);
  EXPECT_FLOAT_EQ(angle, 30.0f);
  const float c = std::cos(-30.0f * 3.14159265f / 180.0f);
  const float s = std::sin(-30.0f * 3.14159265f / 180.0f);
  EXPECT_NEAR(matrix.at(0, 0), c, 1e-6f);
  EXPECT_NEAR(matrix.at(1, 1), c, 1e-6f);
  EXPECT_NEAR(matrix.at(0, 1), s, 1e-6f);
  EXPECT_NEAR(matrix.at(1, 0), -s, 1e-6f);
  EXPECT_EQ(matrix.at(2, 2), 1.0f);
  EXPECT_EQ(TheScene.overlayTool, nullptr);
}

TEST_F(RepeatToolDialogTest, ASecondPhaseReadsOnlyItsOwnCommandsDialog) {
  CExtendToolDlg& dialog = OpenExtend();
  dialog.PressOK();
  // Another command asking for a vector meanwhile opens its own dialog instead of taking these.
  EXPECT_EQ(RunExtendToolDialog(&count, &vector, &matrix, 4321, 0), 0);
  EXPECT_NE(OpenExtendDialog, nullptr);
  EXPECT_EQ(OpenExtendDialog->commandId, 4321);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(built, 0);
}

TEST_F(RepeatToolDialogTest, RevolveDragClockwiseOnScreenGivesAPositiveDegree) {
  struct Case {
    const char* view;
    int horizontalSign;
  };
  for (const Case c : {Case{"front", 1}, Case{"back", -1}}) {
    SCOPED_TRACE(c.view);
    ResetProgramState();
    SetUp();
    view.SetAxes(0, 2, 1, c.horizontalSign, 1, -c.horizontalSign);
    CRevolveToolDlg& dialog = OpenRevolve();
    dialog.SetFullRevolution(0);
    // From three o'clock down toward half past four on the screen.
    view.OnLButtonDown(kMouseLeftButton, 150, 100);
    EXPECT_EQ(dialog.texts[CRevolveToolDlg::kDegreeList], "0");
    view.OnMouseMove(kMouseLeftButton, 150, 150);
    EXPECT_EQ(dialog.clockwise, 1);
    EXPECT_EQ(dialog.texts[CRevolveToolDlg::kDegreeList], "45");
    view.OnMouseMove(kMouseLeftButton, 150, 100);
    EXPECT_EQ(dialog.clockwise, 0);
    EXPECT_EQ(dialog.texts[CRevolveToolDlg::kDegreeList], "0");
    // With full revolution the number follows, within its range even for a tiny angle.
    dialog.SetFullRevolution(1);
    view.OnMouseMove(kMouseLeftButton, 100, 50);
    EXPECT_EQ(dialog.texts[CRevolveToolDlg::kNumberList], "4");
    EXPECT_EQ(dialog.texts[CRevolveToolDlg::kDegreeList], "90");
    // Back at the press point the angle is 0: the number stops at its top.
    view.OnMouseMove(kMouseLeftButton, 150, 100);
    EXPECT_EQ(dialog.texts[CRevolveToolDlg::kNumberList], "10000");
    view.OnLButtonUp(0, 150, 100);
  }
}

TEST_F(RepeatToolDialogTest, ExtendDragShowsTheVectorInViewTerms) {
  CExtendToolDlg& dialog = OpenExtend();
  view.OnLButtonDown(kMouseLeftButton, 100, 100);
  view.OnMouseMove(kMouseLeftButton, 130, 100);
  EXPECT_EQ(dialog.texts[CExtendToolDlg::kValueEdits[0]], "3");
  EXPECT_EQ(dialog.texts[CExtendToolDlg::kValueEdits[1]], "0");
  view.OnLButtonUp(0, 130, 100);
  dialog.SetPolar(1);
  view.OnRButtonDown(kMouseRightButton, 100, 100);
  view.OnMouseMove(kMouseRightButton, 100, 80);
  EXPECT_EQ(dialog.texts[CExtendToolDlg::kValueEdits[0]], "2");
  EXPECT_EQ(dialog.texts[CExtendToolDlg::kValueEdits[1]], "90");
  EXPECT_EQ(dialog.texts[CExtendToolDlg::kValueEdits[2]], "0");
}

TEST_F(RepeatToolDialogTest, PolarFormGivesTheVectorBackOrStaysCartesian) {
  ExpectNear(PolarToVector({10, 90, 0}), {0, 10, 0});
  CExtendToolDlg& dialog = OpenExtend();
  dialog.SetPolar(1);
  dialog.texts[CExtendToolDlg::kValueEdits[0]] = "10";
  dialog.texts[CExtendToolDlg::kValueEdits[1]] = "90";
  dialog.texts[CExtendToolDlg::kValueEdits[2]] = "0";
  dialog.PressOK();
  ProgramCommandQueue().Drain();
  ExpectNear(vector, {0, 10, 0});
  EXPECT_EQ(ExtendPolarFlag, 1);
  // (0, 0, 1) has no horizontal part for the polar form to keep its depth with.
  vector = {0, 0, 1};
  CExtendToolDlg& again = OpenExtend();
  EXPECT_EQ(again.polar, 0);
  again.PressOK();
  ProgramCommandQueue().Drain();
  EXPECT_EQ(vector, (Vector3{0, 0, 1}));
  EXPECT_EQ(ExtendPolarFlag, 0);
}

}  // namespace

#include "modelling/curve_dialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "curve_fixture.h"
#include "modelling/curve_primitives.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"

namespace {

using CurveDialogsTest = CurveTest;

// Types text into an edit and presses OK: the dialog closes only when its values check.
int TypeAndPressOk(DialogModel& model, int edit, const std::string& text) {
  auto& dialog = static_cast<CDataDialog&>(model);
  dialog.texts[edit] = text;
  return dialog.Validate() ? kAnswerOk : kAnswerCancel;
}

TEST_F(CurveDialogsTest, CircleKeepsTheDiameterHoweverTheSizeIsGiven) {
  Headless().AnswerDialog(CMakeCircleDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CMakeCircleDlg&>(model);
    EXPECT_EQ(dialog.texts[CMakeCircleDlg::kSizeEdit], "1");
    EXPECT_EQ(dialog.count, 6);
    EXPECT_EQ(dialog.first, kFirstCvFlat);
    return TypeAndPressOk(model, CMakeCircleDlg::kSizeEdit, "2");
  });
  Headless().AnswerDialog(CMakeCircleDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CMakeCircleDlg&>(model);
    dialog.SetSizeKind(1);
    EXPECT_EQ(dialog.texts[CMakeCircleDlg::kSizeEdit], "1");
    dialog.count = 4;
    dialog.first = kFirstCvVertex;
    return TypeAndPressOk(model, CMakeCircleDlg::kSizeEdit, "1");
  });
  RunMakeCircleDialog();
  EXPECT_EQ(CircleDiameter, 2.0f);
  RunMakeCircleDialog();
  EXPECT_EQ(CircleDiameter, 2.0f);
  EXPECT_EQ(CurveDialogs.circle.sizeKind, 1);
  const std::vector<CCurveObject*> circles = CurvesIn(kStateSelected);
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_EQ(circles[0]->PointCount(), 6);
  ASSERT_EQ(circles[1]->PointCount(), 4);
  // Four CVs through radius 1 at their knots: R = 3 / (cos 90 + 2).
  EXPECT_NEAR(circles[1]->points[0].x, 1.5f, 1e-5f);
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
}

TEST_F(CurveDialogsTest, EachDialogRunsItsWorkerWithTheValuesKept) {
  Headless().AnswerDialog(CMakeLineDlg::kName, [](DialogModel& model) {
    return TypeAndPressOk(model, CMakeLineDlg::kAngleEdit, "90");
  });
  Headless().AnswerDialog(CMakeLineDlg::kName, [](DialogModel& model) {
    EXPECT_EQ(static_cast<CDataDialog&>(model).texts[CMakeLineDlg::kAngleEdit], "90");
    return kAnswerCancel;
  });
  Headless().AnswerDialog(CPolygonDlg::kName, [](DialogModel& model) {
    static_cast<CPolygonDlg&>(model).sides = 3;
    return kAnswerOk;
  });
  Headless().AnswerDialog(CHelixDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CHelixDlg&>(model);
    EXPECT_EQ(dialog.texts[CHelixDlg::kEdits[1]], "10");
    dialog.clockwise = 1;
    return TypeAndPressOk(model, CHelixDlg::kEdits[3], "2");
  });
  RunMakeLineDialog();
  RunMakeLineDialog();
  RunPolygonDialog();
  RunHelixDialog();
  const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
  ASSERT_EQ(curves.size(), 3u);
  ExpectNear(curves[0]->points[1], {0, 1, 0});
  EXPECT_EQ(curves[1]->PointCount(), 6);
  EXPECT_EQ(curves[2]->PointCount(), 13);
  EXPECT_LT(curves[2]->points[1].y, 0.0f);  // clockwise
  EXPECT_EQ(CurveDialogs.helix.values[3], 2.0f);
}

TEST_F(CurveDialogsTest, DivideAndOffsetWorkOnTheSelection) {
  CCurveObject* source = AddCurve({{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}});
  Headless().AnswerDialog(CDivideCurvesDlg::kName, [](DialogModel& model) {
    EXPECT_EQ(static_cast<CDataDialog&>(model).texts[CDivideCurvesDlg::kNumberEdit], "2");
    return TypeAndPressOk(model, CDivideCurvesDlg::kNumberEdit, "3");
  });
  RunDivideCurvesDialog();
  EXPECT_EQ(source->ObjectState, -1);
  const std::vector<CCurveObject*> divided = CurvesIn(kStateSelected);
  ASSERT_EQ(divided.size(), 1u);
  EXPECT_EQ(divided[0]->PointCount(), 10);
  Headless().AnswerDialog(COffsetDlg::kName, [](DialogModel& model) {
    static_cast<COffsetDlg&>(model).side = 1;
    return TypeAndPressOk(model, COffsetDlg::kDistanceEdit, "0.5");
  });
  RunCurveOffsetDialog();
  EXPECT_EQ(CurvesIn(kStateSelected).size(), 2u);
  EXPECT_EQ(CurveDialogs.offset.side, 1);
  EXPECT_EQ(CurveDialogs.offset.distance, 0.5f);
}

TEST_F(CurveDialogsTest, BadInputIsRefusedAndChangesNothing) {
  struct Field {
    const char* dialog;
    int edit;
    std::function<void()> run;
    bool integer;
    const char* outOfRange;  // none: every finite number is taken
  };
  const Field fields[] = {
      {CMakeLineDlg::kName, CMakeLineDlg::kAngleEdit, &RunMakeLineDialog, false, nullptr},
      {CMakeCircleDlg::kName, CMakeCircleDlg::kSizeEdit, &RunMakeCircleDialog, false, nullptr},
      {CHelixDlg::kName, CHelixDlg::kEdits[0], &RunHelixDialog, false, nullptr},
      {CHelixDlg::kName, CHelixDlg::kEdits[4], &RunHelixDialog, false, nullptr},
      {CDivideCurvesDlg::kName, CDivideCurvesDlg::kNumberEdit, &RunDivideCurvesDialog, true, "0"},
      {CDivideCurvesDlg::kName, CDivideCurvesDlg::kNumberEdit, &RunDivideCurvesDialog, true, "100"},
      {COffsetDlg::kName, COffsetDlg::kDistanceEdit, &RunCurveOffsetDialog, false, nullptr},
  };
  for (const Field& field : fields) {
    std::vector<std::string> texts = {"", "abc", "nan", "inf", "1e40"};
    if (field.integer) texts.push_back("2.5");
    if (field.outOfRange != nullptr) texts = {field.outOfRange};
    for (const std::string& text : texts) {
      SCOPED_TRACE(std::string(field.dialog) + " \"" + text + "\"");
      ResetProgramState();
      SetUp();
      AddCurve({{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}});
      int failedField = -1;
      Headless().AnswerDialog(field.dialog, [&](DialogModel& model) {
        const int answer = TypeAndPressOk(model, field.edit, text);
        failedField = static_cast<CDataDialog&>(model).failedField;
        return answer;
      });
      field.run();
      ASSERT_EQ(Headless().messages.size(), 1u);
      const std::string expected = field.outOfRange != nullptr ? "Enter an integer between 1 and 99."
                                   : field.integer            ? "Enter an integer."
                                                               : "Enter a number.";
      EXPECT_EQ(Headless().messages[0].text, expected);
      EXPECT_EQ(failedField, field.edit);
      EXPECT_EQ(Objects().size(), 1u);
      EXPECT_EQ(CurveDialogs.divide.number, 2);
      EXPECT_EQ(CurveDialogs.offset.distance, 1.0f);
      EXPECT_EQ(CircleDiameter, 1.0f);
    }
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kernel/block_object.h"
#include "modelling/block_dialog.h"
#include "modelling/curve_dialogs.h"
#include "modelling/pipe_surface.h"
#include "modelling/surface_dialogs.h"
#include "modelling/transform_dialog.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "services/string_table.h"
#include "surface_fixture.h"

namespace {

using ParameterDialogsTest = SurfaceTest;

// Types the text into the field and presses OK: true when the dialog would close.
bool TypeAndPressOk(CDataDialog& dialog, int field, const std::string& text) {
  dialog.OnInitDialog();
  dialog.texts[field] = text;
  return dialog.Validate();
}

TEST_F(ParameterDialogsTest, TypedFieldsRefuseBadInputWithTheBaseMessage) {
  // A fresh dialog per case: a failed check may leave a member as typed.
  using Make = std::function<std::unique_ptr<CDataDialog>()>;
  const Make transform = [] { return std::make_unique<CTransformDlg>(); };
  const Make block = [] { return std::make_unique<CBlockFromCurvesDlg>(); };
  const Make step = [] { return std::make_unique<CSurfaceStepDlg>(); };
  const Make pipe = [] { return std::make_unique<CPipeSurfaceDlg>(); };
  const Make divide = [] { return std::make_unique<CDivideSurfaceDlg>(); };
  const Make offset = [] { return std::make_unique<COffsetDlg>(); };
  const std::string number = "Enter a number.";
  const std::string integer = "Enter an integer.";
  const struct {
    Make make;
    int field;
    const char* text;
    std::string message;  // empty: accepted
  } cases[] = {
      {transform, CTransformDlg::kMoveEdits[1], "", number},
      {transform, CTransformDlg::kRotateEdits[2], "abc", number},
      {transform, CTransformDlg::kSizeEdit, "nan", number},
      {transform, CTransformDlg::kScaleEdits[0], "inf", number},
      {transform, CTransformDlg::kMoveEdits[0], "1e40", number},
      {transform, CTransformDlg::kCopyNumberEdit, "2.5", integer},
      {transform, CTransformDlg::kCopyNumberEdit, "1", "Enter an integer between 2 and 10000."},
      {transform, CTransformDlg::kCopyNumberEdit, "10001", "Enter an integer between 2 and 10000."},
      {transform, CTransformDlg::kCopyNumberEdit, "2", ""},
      {transform, CTransformDlg::kCopyNumberEdit, "10000", ""},
      {block, CBlockFromCurvesDlg::kRadiusEdit, "abc", number},
      {block, CBlockFromCurvesDlg::kThicknessEdit, "inf", number},
      {block, CBlockFromCurvesDlg::kThicknessEdit, "1e40", number},
      {block, CBlockFromCurvesDlg::kRadiusEdit, " 1.5 ", ""},
      {step, CSurfaceStepDlg::kUStepEdit, "", integer},
      {step, CSurfaceStepDlg::kVStepEdit, "2.5", integer},
      {step, CSurfaceStepDlg::kUStepEdit, "-1", "Enter an integer between 0 and 256."},
      {step, CSurfaceStepDlg::kVStepEdit, "300", "Enter an integer between 0 and 256."},
      {step, CSurfaceStepDlg::kUStepEdit, "0", ""},
      {step, CSurfaceStepDlg::kVStepEdit, "256", ""},
      {pipe, CPipeSurfaceDlg::kSizeEdit, "nan", number},
      {pipe, CPipeSurfaceDlg::kSizeEdit, "abc", number},
      {divide, CDivideSurfaceDlg::kNumberEdit, "0", "Enter an integer between 1 and 99."},
      {divide, CDivideSurfaceDlg::kNumberEdit, "2.5", integer},
      {divide, CDivideSurfaceDlg::kNumberEdit, "1", ""},
      {offset, COffsetDlg::kDistanceEdit, "1e40", number},
      {offset, COffsetDlg::kDistanceEdit, "", number},
  };
  for (const auto& c : cases) {
    const std::unique_ptr<CDataDialog> dialog = c.make();
    SCOPED_TRACE(std::string(dialog->DialogName()) + " " + std::to_string(c.field) + " '" + c.text + "'");
    Headless().messages.clear();
    const bool accepted = TypeAndPressOk(*dialog, c.field, c.text);
    EXPECT_EQ(accepted, c.message.empty());
    if (c.message.empty()) {
      EXPECT_TRUE(Headless().messages.empty());
      continue;
    }
    ASSERT_EQ(Headless().messages.size(), 1u);
    EXPECT_EQ(Headless().messages[0].text, c.message);
    EXPECT_EQ(dialog->failedField, c.field);
  }
  // A mode button checks the fields first, as OK does.
  CPipeSurfaceDlg pipeDialog;
  pipeDialog.OnInitDialog();
  pipeDialog.texts[CPipeSurfaceDlg::kSizeEdit] = "abc";
  EXPECT_FALSE(pipeDialog.PressMode(3));
  EXPECT_EQ(pipeDialog.mode, CPipeSurfaceDlg::kNoMode);
}

// The largest distance of a point of the surface from the x axis.
float WidestFromXAxis(const CSurfaceObject& surface) {
  float widest = 0;
  for (const Vector3& p : surface.points) widest = std::max(widest, std::hypot(p.y, p.z));
  return widest;
}

TEST_F(ParameterDialogsTest, PipeDialogModes) {
  struct Case {
    const char* name;
    int mode;  // none: Escape
    int sizeKind;
  };
  const Case cases[] = {{"one section", 1, 0},    {"two sections", 2, 0},    {"circular, diameter", 3, 0},
                        {"circular, radius", 3, 1}, {"escape", CPipeSurfaceDlg::kNoMode, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CCurveObject* path = AddCurve({{0, 0, 0}, {4, 0, 0}, {8, 0, 0}});
    const std::size_t objects = Objects().size();
    StartPickCVs();
    Headless().statusTexts.clear();
    Headless().AnswerDialog(CPipeSurfaceDlg::kName, [&c](DialogModel& model) {
      auto& dialog = static_cast<CPipeSurfaceDlg&>(model);
      EXPECT_EQ(dialog.texts[CPipeSurfaceDlg::kSizeEdit], "2");
      dialog.sizeKind = c.sizeKind;
      return c.mode != CPipeSurfaceDlg::kNoMode && dialog.PressMode(c.mode) ? kAnswerOk : kAnswerCancel;
    });
    RunPipeSurfaceDialog();
    if (c.mode == CPipeSurfaceDlg::kNoMode) {
      EXPECT_EQ(GetCurrentToolCursorId(), kPickCVsCommand);
      EXPECT_EQ(Objects().size(), objects);
    } else if (c.mode == 3) {
      ASSERT_NE(LastSurface(), nullptr);
      // The default section lies at 1.2 from its centre, scaled by the radius.
      EXPECT_NEAR(WidestFromXAxis(*LastSurface()), c.sizeKind == 0 ? 1.2f : 2.4f, 1e-4f);
      EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
    } else {
      auto* tool = dynamic_cast<CPipeSectionPickTool*>(GetTool(0));
      ASSERT_NE(tool, nullptr);
      EXPECT_EQ(tool->Mode(), c.mode);
      EXPECT_EQ(GetCurrentToolCursorId(), kPipeSurfaceCommand);
      ASSERT_FALSE(Headless().statusTexts.empty());
      EXPECT_EQ(Headless().statusTexts.back(), GetLocalizedString(10098));
      EXPECT_EQ(Objects().size(), objects);
    }
    ResetToPickTool();
    for (CGeomObject* object : Objects()) object->ObjectState = -1;
    (void)path;
  }
  EXPECT_EQ(SurfaceDialogs.pipe.sizeKind, 1);
}

TEST_F(ParameterDialogsTest, SurfaceDialogsHandTheirValuesToTheirWorkersAndKeepThem) {
  CSurfaceObject* surface = AddSurface(4, 4, WavyGrid(4, 4));
  Headless().AnswerDialog(CDivideSurfaceDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CDivideSurfaceDlg&>(model);
    EXPECT_EQ(dialog.texts[CDivideSurfaceDlg::kNumberEdit], "2");
    dialog.way = 1;
    dialog.texts[CDivideSurfaceDlg::kNumberEdit] = "3";
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  RunDivideSurfaceDialog();
  EXPECT_EQ(surface->ObjectState, -1);
  CSurfaceObject* divided = LastSurface();
  ASSERT_NE(divided, nullptr);
  EXPECT_GT(divided->rows, 4);
  EXPECT_EQ(divided->columns, 4);
  EXPECT_EQ(SurfaceDialogs.divide.number, 3);

  Headless().AnswerDialog(CSurfaceStepDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CSurfaceStepDlg&>(model);
    EXPECT_EQ(dialog.texts[CSurfaceStepDlg::kUStepEdit], "8");
    dialog.OnStepFieldFocused(CSurfaceStepDlg::kVStepEdit);
    dialog.texts[CSurfaceStepDlg::kVStepEdit] = "5";
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  RunSurfaceStepDialog();
  EXPECT_EQ(divided->displayStepsV, 5);
  EXPECT_EQ(divided->outputStepsV, 5);
  EXPECT_EQ(SurfaceDialogs.step.vOn, 1);
  EXPECT_EQ(SurfaceDialogs.step.uOn, 0);

  const std::size_t before = Objects().size();
  Headless().AnswerDialog(COffsetDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<COffsetDlg&>(model);
    EXPECT_EQ(dialog.texts[COffsetDlg::kDistanceEdit], "1");
    dialog.texts[COffsetDlg::kDistanceEdit] = "0.25";
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  RunSurfaceOffsetDialog();
  EXPECT_EQ(Objects().size(), before + 2);  // both sides
  EXPECT_EQ(SurfaceDialogs.offset.distance, 0.25f);
  EXPECT_EQ(CurveDialogs.offset.distance, 1.0f);

  // Cancel keeps the values of the last OK.
  for (const char* name : {CDivideSurfaceDlg::kName, CSurfaceStepDlg::kName, COffsetDlg::kName}) {
    Headless().AnswerDialog(name, [](DialogModel& model) {
      auto& dialog = static_cast<CDataDialog&>(model);
      for (auto& [id, text] : dialog.texts) text = "7";
      return kAnswerCancel;
    });
  }
  RunDivideSurfaceDialog();
  RunSurfaceStepDialog();
  RunSurfaceOffsetDialog();
  EXPECT_EQ(SurfaceDialogs.divide.number, 3);
  EXPECT_EQ(SurfaceDialogs.step.vSteps, 5);
  EXPECT_EQ(SurfaceDialogs.offset.distance, 0.25f);
}

TEST_F(ParameterDialogsTest, BlockFromCurvesTakesTheDialogValues) {
  AddCurve({{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}, kStateSelected, 1);
  AddCurve({{0.5f, 0.5f, 0}, {1.5f, 0.5f, 0}, {1, 1.5f, 0}}, kStateSelected, 1);
  StartPickCVs();
  Headless().AnswerDialog(CBlockFromCurvesDlg::kName, [](DialogModel&) { return kAnswerCancel; });
  OnMakeBlockFromCurves();
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCVsCommand);
  EXPECT_EQ(CurvesIn(kStateSelected).size(), 2u);

  Headless().AnswerDialog(CBlockFromCurvesDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CBlockFromCurvesDlg&>(model);
    dialog.values.frontEndType = 1;
    dialog.texts[CBlockFromCurvesDlg::kRadiusEdit] = "0.25";
    dialog.texts[CBlockFromCurvesDlg::kThicknessEdit] = "1.50";
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  OnMakeBlockFromCurves();
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  EXPECT_TRUE(CurvesIn(kStateSelected).empty());
  const CGeomObject* last = Objects().back();
  ASSERT_EQ(last->GetKind(), kKindBlock);
  const auto* block = static_cast<const CBlockObject*>(last);
  EXPECT_EQ(block->profileSizes.size(), 2u);
  EXPECT_EQ(block->thickness, 1.5f);
  EXPECT_EQ(block->radius, 0.25f);
  EXPECT_EQ(block->frontEndType, 1);
  // What the text command finds.
  EXPECT_EQ(GetBlockFromCurvesParams().thickness, 1.5f);
  EXPECT_EQ(GetBlockFromCurvesParams().frontEndType, 1);
  // The texts come back as typed; a cancelled run keeps the values.
  Headless().AnswerDialog(CBlockFromCurvesDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CBlockFromCurvesDlg&>(model);
    EXPECT_EQ(dialog.texts[CBlockFromCurvesDlg::kThicknessEdit], "1.50");
    dialog.texts[CBlockFromCurvesDlg::kThicknessEdit] = "4";
    EXPECT_TRUE(dialog.Validate());
    return kAnswerCancel;
  });
  EXPECT_EQ(RunBlockFromCurvesDialogModal(), kAnswerCancel);
  EXPECT_EQ(GetBlockFromCurvesParams().thickness, 1.5f);
}

}  // namespace

#include "modelling/transform_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "curve_fixture.h"
#include "kernel/surface_object.h"
#include "modelling/curve_tool.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"

namespace {

using TransformDialogTest = CurveTest;

constexpr int kMove = kTransformMove;
constexpr int kSize = kTransformUniformScale;
constexpr int kScale = kTransformAxisScale;
constexpr int kRotate = kTransformRotate;

TEST(TransformDialogModelTest, ButtonRules) {
  enum Action { kClick, kDoubleClick };
  struct Case {
    const char* name;
    int before;
    std::vector<std::pair<Action, int>> actions;
    int after;
  };
  const Case cases[] = {
      {"size while scale is on", kMove | kScale, {{kClick, kSize}}, kMove | kSize},
      {"scale while size is on", kSize | kRotate, {{kClick, kScale}}, kScale | kRotate},
      {"rotate with move", kMove, {{kClick, kRotate}}, kMove | kRotate},
      {"move with scale", kScale, {{kClick, kMove}}, kMove | kScale},
      {"a set button again", kMove | kRotate | kSize, {{kClick, kRotate}}, kRotate},
      {"a set size again", kMove | kSize, {{kClick, kSize}}, kSize},
      {"double-click", kMove | kRotate, {{kDoubleClick, kScale}}, kScale},
      // What Qt delivers for a double-click on a button.
      {"click, double-click, click on unset size", kMove | kScale, {{kClick, kSize}, {kDoubleClick, kSize}, {kClick, kSize}},
       kSize},
      {"click, double-click, click on set move", kMove | kRotate, {{kClick, kMove}, {kDoubleClick, kMove}, {kClick, kMove}},
       kMove},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTransformDlg dialog;
    dialog.operations = c.before;
    for (const auto& [action, operation] : c.actions) {
      if (action == kClick) {
        dialog.ClickOperation(operation);
      } else {
        dialog.DoubleClickOperation(operation);
      }
    }
    EXPECT_EQ(dialog.operations, c.after);
  }
}

TEST(TransformDialogModelTest, ControlsShownPerModeAndEditsEnabledPerOperation) {
  const struct {
    CTransformDlg::Mode mode;
    bool copyNumber;
    bool origin;
  } modes[] = {{CTransformDlg::kModeObjects, false, true},
               {CTransformDlg::kModeCopy, true, true},
               {CTransformDlg::kModeCurve, true, false},
               {CTransformDlg::kModeSurface, true, false}};
  for (const auto& m : modes) {
    SCOPED_TRACE(m.mode);
    CTransformDlg dialog;
    dialog.mode = m.mode;
    EXPECT_EQ(dialog.ShowsCopyNumber(), m.copyNumber);
    EXPECT_EQ(dialog.ShowsOrigin(), m.origin);
  }
  CTransformDlg dialog;
  dialog.operations = kMove | kScale;
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(dialog.IsEditEnabled(CTransformDlg::kMoveEdits[i]));
    EXPECT_TRUE(dialog.IsEditEnabled(CTransformDlg::kScaleEdits[i]));
    EXPECT_FALSE(dialog.IsEditEnabled(CTransformDlg::kRotateEdits[i]));
  }
  EXPECT_FALSE(dialog.IsEditEnabled(CTransformDlg::kSizeEdit));
  EXPECT_FALSE(dialog.IsEditEnabled(CTransformDlg::kCopyNumberEdit));
}

// Screen x, y and depth; depth is x cross y in every fixed view.
struct ViewCase {
  const char* name;
  int axes[3];
  int signs[3];
};
const ViewCase kViewCases[] = {
    {"3-D", {0, 1, 2}, {1, 1, 1}},      {"front", {0, 2, 1}, {1, 1, -1}},  {"right", {1, 2, 0}, {1, 1, 1}},
    {"top", {0, 1, 2}, {1, 1, 1}},      {"back", {0, 2, 1}, {-1, 1, 1}},   {"left", {1, 2, 0}, {-1, 1, -1}},
    {"bottom", {0, 1, 2}, {-1, 1, -1}},
};

void Show(CViewport& view, const ViewCase& c) {
  view.SetAxes(c.axes[0], c.axes[1], c.axes[2], c.signs[0], c.signs[1], c.signs[2]);
}

TEST_F(TransformDialogTest, ViewTermsAndTheToolSetUpUndoEachOther) {
  TransformRecord record = CTransformDlg().record;
  record.move[1] = -2, record.move[2] = 0.5f;
  record.uniformScale = 1.5f;
  record.scale[0] = 2, record.scale[2] = 3;
  record.rotate[1] = 30, record.rotate[2] = -45;
  std::vector<ViewCase> views(std::begin(kViewCases), std::end(kViewCases));
  views.push_back({"turned 3-D", {0, 1, 2}, {1, 1, 1}});
  for (const ViewCase& shown : views) {
    SCOPED_TRACE(shown.name);
    Show(view, shown);
    if (std::string(shown.name) == "turned 3-D") {
      view.RotateAboutAxis(0, 100);
      view.RotateAboutAxis(1, 35);
    }
    const ViewAxes axes = ActiveViewAxes();
    for (const int flags : {kMove | kRotate, kSize | kMove, kScale | kRotate | kMove}) {
      SCOPED_TRACE(flags);
      const Matrix4 world = BuildTransformMatrix(flags, record);
      EXPECT_EQ(FromViewTerms(ToViewTerms(world, axes), axes), world);
    }
  }
  // A move along the horizontal made in the front view steps along the right view's horizontal.
  Show(view, kViewCases[1]);
  TransformRecord move;
  move.move[0] = 1;
  const Matrix4 viewTerms = ToViewTerms(BuildTransformMatrix(kMove, move), ActiveViewAxes());
  Show(view, kViewCases[2]);
  ExpectNear(TransformPoint({0, 0, 0}, FromViewTerms(viewTerms, ActiveViewAxes())), {0, 1, 0});
}

// Answers the Transform dialog once: checks the mode it opened in, lets change adjust it, then OK.
void AnswerTransform(CTransformDlg::Mode mode, std::function<void(CTransformDlg&)> change = {}) {
  Headless().AnswerDialog(CTransformDlg::kName, [mode, change](DialogModel& model) {
    auto& dialog = static_cast<CTransformDlg&>(model);
    EXPECT_EQ(dialog.mode, mode);
    if (change) change(dialog);
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
}

TEST_F(TransformDialogTest, CopyWithTheDefaultsMakesOneCopyAlongTheViewHorizontal) {
  for (const int sign : {1, -1}) {
    SCOPED_TRACE(sign);
    view.SetAxes(0, 2, 1, sign, 1, -sign);
    CCurveObject* curve = AddCurve({{0, 0, 0}, {1, 0, 2}});
    AnswerTransform(CTransformDlg::kModeCopy);
    OnCopyTransform();
    const std::vector<CCurveObject*> selected = CurvesIn(kStateSelected);
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0], curve);
    ExpectNear(selected[1]->points[1], {1.0f + static_cast<float>(sign), 0, 2});
    curve->ObjectState = -1;
    selected[1]->ObjectState = -1;
  }
}

TEST_F(TransformDialogTest, ObjectAxisTurnsAnObjectInItsOwnFrame) {
  CCurveObject* curve = AddCurve({{5, 0, 0}, {6, 0, 0}});
  curve->orientation.at(3, 0) = 5;
  AnswerTransform(CTransformDlg::kModeObjects, [](CTransformDlg& dialog) {
    dialog.origin = kReferenceObjectAxis;
    dialog.DoubleClickOperation(kRotate);
    dialog.texts[CTransformDlg::kRotateEdits[0]] = "0";
    dialog.texts[CTransformDlg::kRotateEdits[2]] = "90";
  });
  OnTransformObjects();
  // A quarter turn about the depth axis through the frame's origin, not the world's.
  ExpectNear(curve->points[0], {5, 0, 0});
  EXPECT_NEAR(std::abs(curve->points[1].y), 1.0f, 1e-5f);
  EXPECT_NEAR(curve->points[1].x, 5.0f, 1e-5f);
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
}

TEST_F(TransformDialogTest, CurveTransformDrawsCopiesUnderTheViewTermsMatrix) {
  AnswerTransform(CTransformDlg::kModeCurve, [](CTransformDlg& dialog) {
    dialog.texts[CTransformDlg::kCopyNumberEdit] = "3";
    dialog.texts[CTransformDlg::kMoveEdits[1]] = "2";
  });
  OnCurveTransform();
  EXPECT_EQ(GetCurrentToolCursorId(), 7010);
  auto* tool = dynamic_cast<CCurveTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  EXPECT_FALSE(tool->pickCurveFirst);
  ClickAt(1, 1);
  const CCurveObject* drawn = CurveToolWorkingCurve();
  ASSERT_NE(drawn, nullptr);
  ASSERT_EQ(drawn->PointCount(), 3);
  for (int k = 0; k < 3; ++k) ExpectNear(drawn->points[k], {1.0f + k, 1.0f + 2.0f * k, 0});

  // The Adjust form opens on the same values and picks a curve first.
  AnswerTransform(CTransformDlg::kModeCurve, [](CTransformDlg& dialog) {
    EXPECT_EQ(dialog.copyNumber, 3);
    EXPECT_EQ(dialog.record.move[1], 2.0f);
  });
  OnAdjustCurveTransform();
  tool = dynamic_cast<CCurveTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  EXPECT_TRUE(tool->pickCurveFirst);
}

TEST_F(TransformDialogTest, SurfaceTransformRepeatsEachSelectedCurve) {
  AddCurve({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}});
  AddCurve({{0, 3, 0}, {1, 3, 0}});
  AnswerTransform(CTransformDlg::kModeSurface,
                  [](CTransformDlg& dialog) { dialog.texts[CTransformDlg::kCopyNumberEdit] = "3"; });
  OnSurfaceTransform();
  int surfaces = 0;
  for (CGeomObject* object : Objects()) {
    if (object->GetKind() != kKindSurface || object->ObjectState < 0) continue;
    const auto* surface = static_cast<CSurfaceObject*>(object);
    EXPECT_EQ(surface->rows, 3);
    ExpectNear(surface->points[2 * surface->columns], VecAdd(surface->points[0], {2, 0, 0}));
    ++surfaces;
  }
  EXPECT_EQ(surfaces, 2);
}

TEST_F(TransformDialogTest, EachCommandKeepsItsOwnValuesAndCancelKeepsTheTool) {
  AnswerTransform(CTransformDlg::kModeObjects, [](CTransformDlg& dialog) {
    dialog.texts[CTransformDlg::kMoveEdits[0]] = "7";
  });
  OnTransformObjects();
  Headless().AnswerDialog(CTransformDlg::kName, [](DialogModel& model) {
    EXPECT_EQ(static_cast<CDataDialog&>(model).texts[CTransformDlg::kMoveEdits[0]], "1");
    return kAnswerCancel;
  });
  StartPickCVs();
  OnCopyTransform();
  EXPECT_EQ(TransformDialogs.objects.record.move[0], 7.0f);
  const struct {
    const char* name;
    void (*command)();
  } commands[] = {{"objects", &OnTransformObjects},
                  {"copy", &OnCopyTransform},
                  {"curve", &OnCurveTransform},
                  {"adjust", &OnAdjustCurveTransform},
                  {"surface", &OnSurfaceTransform}};
  for (const auto& command : commands) {
    SCOPED_TRACE(command.name);
    Headless().AnswerDialog(CTransformDlg::kName, [](DialogModel&) { return kAnswerCancel; });
    Headless().toolCursors.clear();
    command.command();
    EXPECT_EQ(GetCurrentToolCursorId(), kPickCVsCommand);
    EXPECT_TRUE(Headless().toolCursors.empty());
  }
}

}  // namespace

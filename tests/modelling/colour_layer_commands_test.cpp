#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "counting_viewport.h"
#include "curve_fixture.h"
#include "modelling/color_config_dialog.h"
#include "modelling/layer_command.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "services/app_settings.h"
#include "services/layer_table.h"
#include "services/layers_dialog.h"

namespace {

using ColorConfigTest = LumidrexTest;

std::array<std::uint32_t, 4> Colours() { return {ColorBack, ColorAxis, ColorGrid, ColorPick}; }

TEST_F(ColorConfigTest, ResetThenCancelChangesNothing) {
  ColorBack = 0x010203, ColorAxis = 0x040506, ColorGrid = 0x070809, ColorPick = 0x0A0B0C;
  CountingViewport view;
  Headless().AnswerDialog(CColorConfigDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CColorConfigDlg&>(model);
    EXPECT_EQ(dialog.colors, (std::array<std::uint32_t, 4>{0x010203, 0x040506, 0x070809, 0x0A0B0C}));
    dialog.Reset();
    EXPECT_EQ(dialog.colors, (std::array<std::uint32_t, 4>{0xC8C8C8, 0x808080, 0xA0A0A0, 0xFFFFFF}));
    return kAnswerCancel;
  });
  RunColorConfigDialog();
  EXPECT_EQ(Colours(), (std::array<std::uint32_t, 4>{0x010203, 0x040506, 0x070809, 0x0A0B0C}));
  EXPECT_EQ(view.redraws, 0);
}

TEST_F(ColorConfigTest, APickedSwatchIsStoredAtOkAndTheViewsRedrawOnce) {
  CountingViewport view;
  Headless().colorAnswers = {0x00FF00, std::nullopt};
  Headless().AnswerDialog(CColorConfigDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CColorConfigDlg&>(model);
    EXPECT_EQ(dialog.PickSwatchColor(CColorConfigDlg::kGrid), 1);
    // A cancelled pick keeps the swatch's colour.
    EXPECT_EQ(dialog.PickSwatchColor(CColorConfigDlg::kAxis), 0);
    EXPECT_EQ(dialog.colors[CColorConfigDlg::kAxis], kDefaultColorAxis);
    EXPECT_EQ(ColorGrid, kDefaultColorGrid);  // nothing stored before OK
    return kAnswerOk;
  });
  RunColorConfigDialog();
  EXPECT_EQ(ColorGrid, 0x00FF00u);
  EXPECT_EQ(ColorAxis, kDefaultColorAxis);
  EXPECT_EQ(view.redraws, 1);
}

// Objects on layer 0, on hidden layer 3 and on unpickable layer 5; the chosen layer 2 is hidden.
class LayerCommandTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    LayerTable[2].visible = 0;
    LayerTable[3].visible = 0;
    LayerTable[5].pickable = 0;
    CurrentLayer = 2;
    ResetToPickTool();
  }

  CCurveObject* AddOn(int layer, int state) {
    CCurveObject* curve = AddCurve({{0, 0, 0}, {1, 1, 0}}, state);
    curve->layer = layer;
    curve->marks = {1, 1};
    return curve;
  }

  void AnswerLayers(int moveOption, int button = kAnswerOk) {
    Headless().AnswerDialog(CLayersDlg::kName, [moveOption, button](DialogModel& model) {
      auto& dialog = static_cast<CLayersDlg&>(model);
      EXPECT_EQ(dialog.selectedLayer, 2);
      EXPECT_EQ(dialog.moveOption, 1);
      dialog.moveOption = moveOption;
      dialog.working[7].color = 0x123456;
      return button;
    });
  }
};

TEST_F(LayerCommandTest, MovingTheSelectionToAHiddenLayerShowsItInOneUndoStep) {
  CCurveObject* a = AddOn(0, kStateSelected);
  CCurveObject* b = AddOn(0, kStateShown);
  AnswerLayers(1);
  BeginUndoStep();
  RunLayerDialog();
  EXPECT_EQ(a->layer, 2);
  EXPECT_EQ(a->ObjectState, kStateShown);
  EXPECT_EQ(b->layer, 0);
  EXPECT_EQ(IsLayerVisible(2), 1);
  EXPECT_EQ(IsLayerPickable(2), 1);
  EXPECT_EQ(IsLayerPickable(3), 0);
  EXPECT_EQ(IsLayerPickable(5), 0);
  EXPECT_EQ(LayerColors[7], 0x123456u);
  UndoCommand();
  EXPECT_EQ(a->layer, 0);
  EXPECT_EQ(a->ObjectState, kStateSelected);
}

TEST_F(LayerCommandTest, ObjectsOffUsableLayersLoseSelectionAndMarks) {
  const int states[] = {0, 1, 2, 3, 4};
  const int expected[] = {0, 0, 2, 2, 2};
  std::vector<CCurveObject*> curves;
  for (const int layer : {3, 5}) {
    for (const int state : states) curves.push_back(AddOn(layer, state));
  }
  CCurveObject* usable = AddOn(0, kStateSelected);
  CCurveObject* removed = AddOn(3, -1);
  AnswerLayers(0);
  RunLayerDialog();
  for (std::size_t i = 0; i < curves.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(curves[i]->ObjectState, expected[i % 5]);
    EXPECT_EQ(curves[i]->marks, (std::vector<std::int32_t>{0, 0}));
  }
  EXPECT_EQ(usable->ObjectState, kStateSelected);
  EXPECT_EQ(usable->marks, (std::vector<std::int32_t>{1, 1}));
  EXPECT_EQ(removed->ObjectState, -1);
  EXPECT_EQ(UndoSteps(), 0);
}

TEST_F(LayerCommandTest, CancelChangesNothing) {
  CCurveObject* selected = AddOn(3, kStateSelected);
  const LayerSet table = LayerTable;
  const auto colours = LayerColors;
  StartPickCVs();
  AnswerLayers(1, kAnswerCancel);
  RunLayerDialog();
  EXPECT_EQ(selected->ObjectState, kStateSelected);
  EXPECT_EQ(selected->layer, 3);
  EXPECT_EQ(CurrentLayer, 2);
  EXPECT_EQ(LayerColors, colours);
  for (int i = 0; i < kLayerCount; ++i) {
    EXPECT_EQ(LayerTable[i].visible, table[i].visible);
    EXPECT_EQ(LayerTable[i].pickable, table[i].pickable);
  }
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCVsCommand);
}

}  // namespace

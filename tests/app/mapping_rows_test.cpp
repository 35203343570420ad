#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/view_command_map.h"
#include "kernel/curve_object.h"
#include "kernel/surface_object.h"
#include "modelling/mapping_dialogs.h"
#include "modelling/mapping_pick_tool.h"
#include "modelling/region_tool.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "routed_view_fixture.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene/vorn_view.h"

namespace {

// A Front view of a document, its commands on the router's chain; the test drains the queue.
class MappingRowsTest : public VornViewTest {
 protected:
  void SetUp() override {
    VornViewTest::SetUp();
    view->SetViewType(1, 0);
    holder = std::make_unique<CommandMap>(BuildViewCommandMap(*view));
    ProgramCommandQueue().SetDispatcher([this](int id) {
      ran.push_back(id);
      holder->RunCommand(id);
    });
  }
  void Answer(const char* name, std::function<int(DialogModel&)> answer) {
    Headless().AnswerDialog(name, std::move(answer));
  }
  CCurveObject* AddCurve(std::vector<Vector3> points, int state) {
    auto curve = std::make_unique<CCurveObject>();
    const int count = static_cast<int>(points.size());
    curve->SetPoints(count, std::move(points));
    CCurveObject* added = AddObject(curve, 1);
    added->ObjectState = state;
    return added;
  }

  std::unique_ptr<CommandMap> holder;
  std::vector<int> ran;
};

TEST_F(MappingRowsTest, ProjectMappingTakesTypedVectorsAndDraggedOnes) {
  // Opening with a stored vector keeps the chosen direction; typing makes it the arbitrary one.
  ProjectMapVector[0] = 0.5f;
  Answer(CProjectMapDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CProjectMapDlg&>(model);
    EXPECT_EQ(dialog.texts[1302], "0.5");
    EXPECT_EQ(dialog.direction, 0);
    dialog.texts[1304] = "-";
    dialog.OnVectorEdited();
    EXPECT_EQ(dialog.direction, 4);
    EXPECT_EQ(dialog.texts[1304], "-");
    return kAnswerCancel;
  });
  holder->RunCommand(6101);
  EXPECT_EQ(ProjectMapVector[0], 0.5f);

  // "Arbitrary", a drag straight up (the drag keeps to one axis), and the command comes back with the dragged vector.
  Answer(CProjectMapDlg::kName, [](DialogModel& model) {
    EXPECT_TRUE(static_cast<CProjectMapDlg&>(model).PressArbitrary());
    return CProjectMapDlg::kArbitraryButton;
  });
  holder->RunCommand(6101);
  view->OnLButtonDown(kMouseLeftButton, 100, 75);
  view->OnMouseMove(kMouseLeftButton, 100, 20);
  view->OnLButtonUp(0, 100, 20);
  float shown[3] = {};
  int direction = -1;
  Answer(CProjectMapDlg::kName, [&](DialogModel& model) {
    auto& dialog = static_cast<CProjectMapDlg&>(model);
    for (int i = 0; i < 3; ++i) shown[i] = dialog.vector[i];
    direction = dialog.direction;
    return kAnswerOk;
  });
  const std::size_t stepsBefore = document.ring.size();
  ProgramCommandQueue().Drain();
  EXPECT_EQ(shown[0], 0.0f);
  EXPECT_GT(shown[1], 0.0f);
  EXPECT_EQ(shown[2], 0.0f);
  EXPECT_EQ(direction, 4);
  EXPECT_NE(dynamic_cast<CMappingPickTool*>(GetTool(0)), nullptr);
  EXPECT_GE(document.ring.size(), stepsBefore);
  EXPECT_EQ(Headless().statusTexts.back(), "Pick a curve or surface for projection mapping...");
}

TEST_F(MappingRowsTest, BadNumbersAreRefusedAndNothingChanges) {
  const char* bad[] = {"", "abc", "nan", "inf", "1e40"};
  CTool* toolBefore = GetTool(0);
  for (const char* text : bad) {
    for (const int id : CProjectMapDlg::kVectorEdits) {
      SCOPED_TRACE(std::string(text) + " in " + std::to_string(id));
      Answer(CProjectMapDlg::kName, [&](DialogModel& model) {
        auto& dialog = static_cast<CProjectMapDlg&>(model);
        dialog.texts[id] = text;
        EXPECT_FALSE(dialog.Validate());
        EXPECT_FALSE(dialog.PressArbitrary());
        return kAnswerCancel;
      });
      Headless().messages.clear();
      holder->RunCommand(6101);
      EXPECT_EQ(Headless().messages.size(), 2u);
      EXPECT_EQ(ProjectMapVector[0], 0.0f);
      EXPECT_EQ(ProjectMapVector[1], 1.0f);
    }
    for (const int id : CUvMapDlg::kRectangleEdits) {
      SCOPED_TRACE(std::string(text) + " in " + std::to_string(id));
      Answer(CUvMapDlg::kName, [&](DialogModel& model) {
        auto& dialog = static_cast<CUvMapDlg&>(model);
        dialog.texts[id] = text;
        EXPECT_FALSE(dialog.Validate());
        EXPECT_FALSE(dialog.PressMappingExtent());
        return kAnswerCancel;
      });
      holder->RunCommand(6100);
      EXPECT_EQ(UvMapCornerB.x, 10.0f);
      EXPECT_EQ(UvMapCornerA.x, 0.0f);
    }
  }
  EXPECT_EQ(ProgramCommandQueue().Pending(), 0u);
  EXPECT_EQ(GetTool(0), toolBefore);
}

TEST_F(MappingRowsTest, UvMapOrdersTheRectangleAndMapsOntoAllAtOnce) {
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> grid;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) grid.push_back({3.0f * r, 0.0f, 2.0f * c});
  }
  ASSERT_TRUE(surface->SetGrid(4, 4, grid));
  AddObject(surface, 1)->ObjectState = kStateShown;
  CCurveObject* source = AddCurve({{1, 1, 0}, {2, 1, 0}}, kStateSelected);

  // Cancel stores nothing.
  Answer(CUvMapDlg::kName, [](DialogModel& model) {
    static_cast<CUvMapDlg&>(model).texts[1301] = "4";
    return kAnswerCancel;
  });
  holder->RunCommand(6100);
  EXPECT_EQ(UvMapCornerA.x, 0.0f);

  Answer(CUvMapDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CUvMapDlg&>(model);
    dialog.texts[1301] = "10";
    dialog.texts[1302] = "0";
    dialog.OnUserChange();
    EXPECT_EQ(dialog.automatic, 0);
    dialog.targetChoice = 1;
    EXPECT_TRUE(dialog.Validate());
    return kAnswerOk;
  });
  holder->RunCommand(6100);
  EXPECT_EQ(UvMapCornerA.x, 0.0f);
  EXPECT_EQ(UvMapCornerB.x, 10.0f);
  // Mapped at once, without a pick tool: the source is deleted and its copy selected.
  EXPECT_EQ(source->ObjectState, -1);
  EXPECT_EQ(TheScene.secondaryTool, nullptr);
  int selected = 0;
  for (CGeomObject* object = TheScene.head; object != nullptr; object = object->next) {
    selected += object->ObjectState == kStateSelected ? 1 : 0;
  }
  EXPECT_EQ(selected, 1);
}

TEST_F(MappingRowsTest, MappingDirectionAndExtentTakesTheRegionAndComesBack) {
  Answer(CUvMapDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CUvMapDlg&>(model);
    dialog.texts[1304] = "30";
    EXPECT_TRUE(dialog.PressMappingExtent());
    return CUvMapDlg::kExtentButton;
  });
  holder->RunCommand(6100);
  EXPECT_EQ(UvMapDialog().direction, -1);
  EXPECT_NE(dynamic_cast<CRegionTool*>(GetTool(0)), nullptr);
  EXPECT_EQ(Headless().statusTexts.back(), "Determine bounding box... Press right mouse button to finish!");
  // A right press hands the box back in screen terms; the pick tool returns, then the dialog
  // reopens with "Vertical" for a box taller than wide.
  int direction = -1;
  float box[4] = {};
  Answer(CUvMapDlg::kName, [&](DialogModel& model) {
    auto& dialog = static_cast<CUvMapDlg&>(model);
    direction = dialog.direction;
    box[0] = dialog.x0;
    box[1] = dialog.x1;
    box[2] = dialog.y0;
    box[3] = dialog.y1;
    return kAnswerCancel;
  });
  view->OnRButtonDown(kMouseRightButton, 50, 50);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(ran, (std::vector<int>{3600, 6100}));
  EXPECT_EQ(direction, 1);
  EXPECT_EQ(box[0], 0.0f);
  EXPECT_EQ(box[1], 10.0f);
  EXPECT_EQ(box[2], 0.0f);
  EXPECT_EQ(box[3], 30.0f);
}

}  // namespace

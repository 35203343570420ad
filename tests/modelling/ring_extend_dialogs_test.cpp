#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kernel/mesh_object.h"
#include "modelling/curve_dialogs.h"
#include "modelling/extend_solid_dialog.h"
#include "modelling/ring_size_dialog.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"

namespace {

// A top view of ten pixels per unit: model (x, y) is pixel (100 + 10 x, 100 - 10 y).
class ManufacturingDialogsTest : public TopViewTest {};

TEST_F(ManufacturingDialogsTest, RingTablesAndTheirSwitch) {
  struct Case {
    int table;
    std::size_t rows;
    const char* first;
    const char* last;
  };
  const Case cases[] = {{0, 26, "A", "Z"}, {1, 25, " 1.0", "13.0"}, {2, 32, "38", "69"}};
  CRingSizeDlg dialog;
  dialog.OnInitDialog();
  EXPECT_EQ(dialog.selected, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table);
    EXPECT_EQ(RingSizeTable(c.table).size(), c.rows);
    dialog.ChooseTable(c.table);
    ASSERT_EQ(dialog.items.size(), c.rows);
    EXPECT_EQ(dialog.items.front(), c.first);
    EXPECT_EQ(dialog.items.back(), c.last);
    EXPECT_FALSE(dialog.CanAccept());
  }
  for (const RingSize& size : RingSizeTable(1)) EXPECT_EQ(std::string(size.text).size(), 4u);
}

TEST_F(ManufacturingDialogsTest, RingSizeOpensMakeACircleWithTheInnerDiameter) {
  // After a table switch OK does nothing until a row is chosen; the view then stays open.
  Headless().AnswerDialog(CRingSizeDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CRingSizeDlg&>(model);
    dialog.ChooseTable(1);
    EXPECT_FALSE(dialog.CanAccept());
    dialog.ChooseTable(0);
    dialog.selected = 13;
    EXPECT_EQ(dialog.items[13], "N");
    return kAnswerOk;
  });
  std::string shown;
  Headless().AnswerDialog(CMakeCircleDlg::kName, [&shown](DialogModel& model) {
    shown = static_cast<CDataDialog&>(model).texts[CMakeCircleDlg::kSizeEdit];
    return kAnswerCancel;
  });
  OnRingSize();
  EXPECT_EQ(CircleDiameter, 17.18f);
  EXPECT_EQ(shown, "17.18");
  // The next opening selects the row kept.
  Headless().AnswerDialog(CRingSizeDlg::kName, [](DialogModel& model) {
    EXPECT_EQ(static_cast<CRingSizeDlg&>(model).selected, 13);
    return kAnswerCancel;
  });
  OnRingSize();
}

TEST_F(ManufacturingDialogsTest, ExtendToSolidTakesADraggedDirection) {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(3, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  mesh->SetFaces({3}, {0, 1, 2});
  CMeshObject* source = AddObject(mesh, 1);
  source->ObjectState = kStateSelected;
  ProgramCommandQueue().SetDispatcher([](int id) {
    if (id == 9023) OnExtendToSolid();
  });
  Headless().AnswerDialog(CExtendToSolidDlg::kName, [](DialogModel&) { return CExtendToSolidDlg::kAnswerSetup; });
  Headless().AnswerDialog(CExtendToSolidDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CDataDialog&>(model);
    EXPECT_EQ(dialog.texts[CExtendToSolidDlg::kEdits[0]], "3");
    EXPECT_EQ(dialog.texts[CExtendToSolidDlg::kEdits[1]], "-2");
    EXPECT_EQ(dialog.texts[CExtendToSolidDlg::kEdits[2]], "0");
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  OnExtendToSolid();
  ASSERT_NE(TheScene.secondaryTool, nullptr);
  EXPECT_EQ(source->next, nullptr);
  // The right button drags freely in the view's plane.
  view.OnRButtonDown(kMouseRightButton, 100, 100);
  view.OnMouseMove(kMouseRightButton, 130, 120);
  view.OnRButtonUp(0, 130, 120);
  ProgramCommandQueue().Drain();
  const auto* solid = static_cast<const CMeshObject*>(source->next);
  ASSERT_NE(solid, nullptr);
  EXPECT_EQ(solid->points[3], Vector3(3, -2, 0));
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);

  // Typed values are refused as the base refuses them, keeping the dialog open.
  for (const char* text : {"nan", "inf", "1e40", "", "abc"}) {
    Headless().AnswerDialog(CExtendToSolidDlg::kName, [text](DialogModel& model) {
      auto& dialog = static_cast<CDataDialog&>(model);
      dialog.texts[CExtendToSolidDlg::kEdits[1]] = text;
      EXPECT_FALSE(dialog.Validate()) << text;
      EXPECT_EQ(dialog.failedField, CExtendToSolidDlg::kEdits[1]);
      return kAnswerCancel;
    });
    OnExtendToSolid();
  }
  EXPECT_EQ(solid->next, nullptr);
}

}  // namespace

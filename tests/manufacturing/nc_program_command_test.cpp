#include "manufacturing/nc_program_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_routing.h"
#include "manufacturing/nc_program.h"
#include "manufacturing/nc_show_path.h"
#include "modelling/region_tool.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"
#include "temp_dir.h"

namespace {

using D = CNcMachiningDlg;

// A top view of ten pixels per unit whose commands go through the router, as the program's do.
class NcProgramCommandTest : public TopViewTest {
 protected:
  void SetUp() override {
    TopViewTest::SetUp();
    holder.AddRow({3600, HandlerKind::kDirect, &ResetToPickTool});
    holder.AddRow({kNcProgramCommand, HandlerKind::kDirect, &OnNcProgram});
    ProgramCommandRouter().SetChain([this] { return std::vector<CommandHolder*>{&holder}; });
    ProgramCommandQueue().SetDispatcher([](int id) { ProgramCommandRouter().Dispatch(id); });
  }

  CommandMap holder;
  TempDir folder;
};

TEST_F(NcProgramCommandTest, SetupDragsTheBoxAndTheCommandComesBackWithIt) {
  const std::string name = folder.File("part");
  Headless().AnswerDialog(D::kName, [](DialogModel& model) {
    auto& dialog = static_cast<D&>(model);
    EXPECT_EQ(dialog.texts[D::kCorner2Edits], "10");
    dialog.texts[D::kXStepEdit] = dialog.texts[D::kYStepEdit] = "1";
    // A typed corner is not the remembered box.
    dialog.texts[D::kCorner1Edits] = "-3";
    return dialog.Validate() ? D::kSetupAnswer : kAnswerCancel;
  });
  OnNcProgram();
  ASSERT_NE(dynamic_cast<CRegionTool*>(GetTool(0)), nullptr);
  EXPECT_EQ(Headless().statusTexts.back(), "Determine bounding box... Press right mouse button to finish!");
  EXPECT_EQ(NcBoxCorners().corner1, Vector3(-10, -10, -10));

  // Drag the box's far corner from (10, 10) to (5, 6), then finish with the right button.
  view.OnLButtonDown(kMouseLeftButton, 200, 0);
  view.OnMouseMove(kMouseLeftButton, 150, 40);
  view.OnLButtonUp(0, 150, 40);
  std::vector<std::string> shown;
  Headless().AnswerDialog(D::kName, [&shown, name](DialogModel& model) {
    auto& dialog = static_cast<D&>(model);
    for (int i = 0; i < 6; ++i) shown.push_back(dialog.texts[D::kCorner1Edits + i]);
    dialog.texts[D::kFileEdit] = name;
    dialog.texts[D::kScaleEdit] = "2";
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  view.OnRButtonDown(kMouseRightButton, 0, 0);
  ProgramCommandQueue().Drain();
  view.OnRButtonUp(0, 0, 0);
  EXPECT_EQ(shown, (std::vector<std::string>{"-10", "-10", "-10", "5", "6", "10"}));
  EXPECT_EQ(NcBoxCorners().corner2, Vector3(5, 6, 10));
  EXPECT_NE(dynamic_cast<CPickTool*>(GetTool(0)), nullptr);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"part.nc"});
  EXPECT_EQ(NcShowPathDialog().fileName, name);
  EXPECT_EQ(NcShowPathDialog().scale, 2.0f);

  // Cancel keeps the current tool and the remembered box.
  StartRegionTool(&NcBoxCorners().corner1, &NcBoxCorners().corner2, kNcProgramCommand, 0);
  CTool* const tool = GetTool(0);
  Headless().AnswerDialog(D::kName, [](DialogModel& model) {
    static_cast<D&>(model).texts[D::kCorner2Edits] = "1";
    return kAnswerCancel;
  });
  OnNcProgram();
  EXPECT_EQ(GetTool(0), tool);
  EXPECT_EQ(NcBoxCorners().corner2, Vector3(5, 6, 10));
}

TEST_F(NcProgramCommandTest, RefusedValuesKeepTheDialogOpen) {
  D& dialog = NcMachiningDialog();
  dialog.OnInitDialog();
  const auto opened = dialog.texts;
  struct Case {
    int field;
    const char* text;
    int tool;
    bool accepted;
  };
  const Case cases[] = {
      {D::kXStepEdit, "0", 0, false},          {D::kXStepEdit, "0.0001", 0, true},
      {D::kQuantumEdit, "0.00005", 0, false},  {D::kTipAngleEdit, "0", 2, false},
      {D::kTipAngleEdit, "0", 0, true},        {D::kTipAngleEdit, "0.1", 2, true},
      {D::kCorner1Edits, "100001", 0, false},  {D::kCorner2Edits + 2, "-100000", 0, true},
      {D::kOffsetEdit, "-1001", 0, false},     {D::kOffsetEdit, "-1000", 0, true},
      {D::kScaleEdit, "nan", 0, false},        {D::kStepDownEdit, "inf", 0, false},
      {D::kDiameterEdit, "1e40", 0, false},    {D::kPitchEdit, "", 0, false},
      {D::kAllowanceEdit, "abc", 0, false},    {D::kAllowanceEdit, "0", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.field << " " << c.text);
    dialog.texts = opened;
    dialog.texts[c.field] = c.text;
    dialog.settings.tool = c.tool;
    EXPECT_EQ(dialog.TipFieldsEnabled(), c.tool == 2);
    EXPECT_EQ(dialog.Validate(), c.accepted);
    if (!c.accepted) {
      EXPECT_EQ(dialog.failedField, c.field);
    }
  }
}

}  // namespace

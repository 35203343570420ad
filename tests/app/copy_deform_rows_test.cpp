#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/command_table.h"
#include "app/view_command_map.h"
#include "kernel/point_set_object.h"
#include "modelling/copy_commands.h"
#include "modelling/copy_tool.h"
#include "modelling/deform_tool.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/mapping_dialogs.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "row_checks.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene/vorn_view.h"

namespace {

TEST(CopyDeformRowsTest, EachRowRunsItsWorkerWithItsKindAndShowsItsToolsCursor) {
  ResetProgramState();
  CUndoHistory document;
  CVornView view(&document);
  view.OnSize(kSizeMaximized, 200, 150);
  view.OnActivateView(true);
  const ExpectedRow rows[] = {
      {4000, HandlerKind::kResetFirst, &DoCutAndPaste},     {4001, HandlerKind::kResetFirst, &DoCopyVerticalMirror},
      {4002, HandlerKind::kResetFirst, &DoCopyHorizontalMirror}, {4003, HandlerKind::kResetFirst, &DoCopyRevolve180},
      {4004, HandlerKind::kResetFirst, &DoCopyCycle},       {4011, HandlerKind::kResetFirst, &DoCopyToHide},
      {4005, HandlerKind::kDirect, &DoCopyExtend},          {4006, HandlerKind::kDirect, &DoCopyRevolve},
      {6000, HandlerKind::kDirect, &CreateBendTool},        {6001, HandlerKind::kDirect, &OnDeformBendTwoSides},
      {6002, HandlerKind::kDirect, &OnDeformTaper},         {6003, HandlerKind::kDirect, &OnDeformTaperTwoSides},
      {6004, HandlerKind::kDirect, &OnDeformScaledTaper},   {6005, HandlerKind::kDirect, &OnDeformScaledTaperTwoSides},
      {6006, HandlerKind::kDirect, &OnDeformSkew},          {6007, HandlerKind::kDirect, &OnDeformSkewTwoSides},
      {6008, HandlerKind::kDirect, &OnDeformTwist},         {6009, HandlerKind::kDirect, &OnDeformSkewTwist},
      {6010, HandlerKind::kDirect, &OnDeformWhirl},         {6100, HandlerKind::kDirect, &OnUvMap},
      {6101, HandlerKind::kDirect, &OnProjectMap},
  };
  std::vector<int> heldTwice;
  CommandMap holder = BuildViewCommandMap(view, &heldTwice);
  EXPECT_TRUE(heldTwice.empty());
  ExpectRowsRegistered(rows, holder);

  // The tools' cursors, with something selected to lift.
  auto point = std::make_unique<CPointSetObject>(1, std::vector<Vector3>{{1, 1, 0}});
  AddObject(point, 1);
  for (const int id : {6000, 6001, 6002, 6003, 6004, 6005, 6006, 6007, 6008, 6009, 6010, 4000}) {
    Headless().toolCursors.clear();
    holder.RunCommand(id);
    EXPECT_EQ(GetCurrentToolCursorId(), id);
    ASSERT_FALSE(Headless().toolCursors.empty());
    EXPECT_EQ(Headless().toolCursors.back(), id);
  }

  // Extend on the object Cut&Paste lifted: the first run opens the dialog, its OK posts the
  // command again, which copies.
  ProgramCommandQueue().SetDispatcher([&holder](int id) { holder.RunCommand(id); });
  CGeomObject* placed = TheScene.head;
  ASSERT_NE(placed, nullptr);
  placed->ObjectState = kStateSelected;
  holder.RunCommand(4005);
  ASSERT_NE(OpenExtendDialog, nullptr);
  OpenExtendDialog->texts[CExtendToolDlg::kNumberEdit] = "3";
  OpenExtendDialog->PressOK();
  ProgramCommandQueue().Drain();
  int copies = 0;
  for (CGeomObject* object = placed->next; object != nullptr; object = object->next) ++copies;
  EXPECT_EQ(copies, 2);
  // Reset to the pick tool after the OK.
  EXPECT_EQ(GetCurrentToolCursorId(), 3600);
  ResetProgramState();
}

}  // namespace

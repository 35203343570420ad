#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/view_command_map.h"
#include "modelling/block_dialog.h"
#include "modelling/color_config_dialog.h"
#include "modelling/curve_dialogs.h"
#include "modelling/layer_command.h"
#include "modelling/surface_dialogs.h"
#include "modelling/transform_dialog.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "routed_view_fixture.h"
#include "row_checks.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/transform_tools.h"
#include "scene/undo_history.h"
#include "scene/vorn_view.h"
#include "services/layers_dialog.h"

namespace {

struct Row {
  int id;
  HandlerKind kind;
  void (*worker)();
  const char* dialog;
};

const Row kRows[] = {
    {1100, HandlerKind::kDirect, &RunColorConfigDialog, CColorConfigDlg::kName},
    {2500, HandlerKind::kDirect, &RunLayerDialog, CLayersDlg::kName},
    {4010, HandlerKind::kDirect, &OnCopyTransform, CTransformDlg::kName},
    {5105, HandlerKind::kDirect, &OnTransformObjects, CTransformDlg::kName},
    {7010, HandlerKind::kDirect, &OnCurveTransform, CTransformDlg::kName},
    {7040, HandlerKind::kDirect, &OnAdjustCurveTransform, CTransformDlg::kName},
    {8003, HandlerKind::kDirect, &OnSurfaceTransform, CTransformDlg::kName},
    {8005, HandlerKind::kDirect, &RunPipeSurfaceDialog, CPipeSurfaceDlg::kName},
    {8120, HandlerKind::kDirect, &RunDivideSurfaceDialog, CDivideSurfaceDlg::kName},
    {8121, HandlerKind::kDirect, &RunSurfaceStepDialog, CSurfaceStepDlg::kName},
    {8124, HandlerKind::kResetFirst, &RunSurfaceOffsetDialog, COffsetDlg::kName},
    {9010, HandlerKind::kDirect, &OnMakeBlockFromCurves, CBlockFromCurvesDlg::kName},
};

using ParameterRowsTest = RoutedViewTest;

TEST_F(ParameterRowsTest, EachRowIsHeldOnceWithItsKindAndWorker) {
  EXPECT_TRUE(heldTwice.empty());
  std::vector<ExpectedRow> expected;
  for (const Row& row : kRows) expected.push_back({row.id, row.kind, row.worker});
  ExpectRowsRegistered(expected, *holder);
  // The transform rows that came before stay as they were.
  const ExpectedRow kept[] = {{kMovingCommand, HandlerKind::kResetFirst},
                              {kSizingCommand, HandlerKind::kResetFirst},
                              {kFlippingCommand, HandlerKind::kResetFirst},
                              {kRollingCommand, HandlerKind::kResetFirst},
                              {kObjectAxisCommand, HandlerKind::kDirect}};
  ExpectRowsRegistered(kept, *holder);
}

TEST_F(ParameterRowsTest, CancelLeavesTheToolUnlessTheRowResetsFirst) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.id);
    StartPickCVs();
    Headless().dialogsRun.clear();
    Headless().AnswerDialog(row.dialog, [](DialogModel&) { return kAnswerCancel; });
    ProgramCommandRouter().Dispatch(row.id);
    ProgramCommandQueue().Drain();
    EXPECT_EQ(Headless().dialogsRun, std::vector<std::string>{row.dialog});
    EXPECT_EQ(GetCurrentToolCursorId(), row.kind == HandlerKind::kResetFirst ? kPickCommand : kPickCVsCommand);
  }
}

}  // namespace

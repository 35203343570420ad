#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/command_table.h"
#include "app/view_command_map.h"
#include "modelling/surface_edits.h"
#include "modelling/text_command.h"
#include "program_state.h"
#include "row_checks.h"
#include "scene/undo_history.h"
#include "scene/vorn_view.h"

namespace {

TEST(SurfaceTextRowsTest, EachRowRunsItsWorkerWithItsKindInEveryView) {
  ResetProgramState();
  CUndoHistory document;
  CVornView view(&document);
  view.OnSize(kSizeMaximized, 200, 150);
  view.OnActivateView(true);
  const ExpectedRow rows[] = {
      {8100, HandlerKind::kResetFirst, &DoSurfaceCloseU}, {8101, HandlerKind::kResetFirst, &DoSurfaceOpenU},
      {8102, HandlerKind::kResetFirst, &DoSurfaceReverseU}, {8110, HandlerKind::kResetFirst, &DoSurfaceCloseV},
      {8111, HandlerKind::kResetFirst, &DoSurfaceOpenV},   {8112, HandlerKind::kResetFirst, &DoSurfaceReverseV},
      {8122, HandlerKind::kResetFirst, &DoSwapUV},         {8123, HandlerKind::kResetFirst, &DoFlipNormal},
      {9040, HandlerKind::kDirect, &OnText},
  };
  std::vector<int> heldTwice;
  const CommandMap holder = BuildViewCommandMap(view, &heldTwice);
  EXPECT_TRUE(heldTwice.empty());
  ExpectRowsRegistered(rows, holder);
}

}  // namespace

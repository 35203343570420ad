#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/command_table.h"
#include "app/view_command_map.h"
#include "kernel/curve_object.h"
#include "kernel/surface_object.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/loft_tool.h"
#include "modelling/revolve_tool_dialog.h"
#include "modelling/surface_commands.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "routed_view_fixture.h"
#include "row_checks.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene/view_axis.h"
#include "scene/vorn_view.h"

namespace {

// The Surface rows in a front view, dispatched through the router with the view's holder on the
// chain and the queue running them again, as the main loop does.
class SurfaceRowsTest : public VornViewTest {
 protected:
  void SetUp() override {
    VornViewTest::SetUp();
    view->SetViewType(1, 0);
    holder = std::make_unique<CommandMap>(BuildViewCommandMap(*view));
    ProgramCommandRouter().SetChain([this] { return std::vector<CommandHolder*>{holder.get()}; });
    ProgramCommandQueue().SetDispatcher([](int id) { ProgramCommandRouter().Dispatch(id); });
  }

  CCurveObject* AddCurve(std::vector<Vector3> points) {
    auto curve = std::make_unique<CCurveObject>();
    const int count = static_cast<int>(points.size());
    curve->SetPoints(count, std::move(points));
    return AddObject(curve, 1);
  }

  CSurfaceObject* LastSurface() const {
    CGeomObject* last = nullptr;
    for (CGeomObject* object = TheScene.head; object != nullptr; object = object->next) last = object;
    return last != nullptr && last->GetKind() == kKindSurface ? static_cast<CSurfaceObject*>(last) : nullptr;
  }

  std::unique_ptr<CommandMap> holder;
};

TEST_F(SurfaceRowsTest, ExtendMovesTheCurveAlongTheViewDepthInOneUndoStep) {
  CCurveObject* curve = AddCurve({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {3, 0, 0}});
  BeginUndoStep();
  ProgramCommandRouter().Dispatch(kExtendSurfaceCommand);
  ASSERT_NE(OpenExtendDialog, nullptr);
  OpenExtendDialog->PressOK();
  ProgramCommandQueue().Drain();
  CSurfaceObject* surface = LastSurface();
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->rows, 2);
  EXPECT_EQ(surface->columns, 4);
  int sign = 0;
  ASSERT_EQ(GetViewAxis(2, &sign), 1);
  ASSERT_EQ(sign, -1);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(surface->points[i], curve->points[i]);
    EXPECT_EQ(surface->points[4 + i], VecAdd(curve->points[i], {0, -1, 0}));
  }
  EXPECT_EQ(curve->ObjectState, 4);
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);

  UndoCommand();
  EXPECT_EQ(curve->ObjectState, kStateSelected);
  EXPECT_LT(surface->ObjectState, 0);
}

TEST_F(SurfaceRowsTest, HorizontalRevolveTurnsAboutTheHorizontalAxis) {
  // A profile at distance 2 from the x axis, which the front view shows horizontally.
  CCurveObject* curve = AddCurve({{0, 2, 0}, {1, 2, 0}, {2, 2, 0}});
  ProgramCommandRouter().Dispatch(kHorizontalRevolveSurfaceCommand);
  ASSERT_NE(OpenRevolveDialog, nullptr);
  EXPECT_EQ(OpenRevolveDialog->full, 1);
  OpenRevolveDialog->PressOK();
  ProgramCommandQueue().Drain();
  CSurfaceObject* surface = LastSurface();
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->rows, 6);
  // Row 0 is widened so the knots come back to radius 2; every row keeps x.
  EXPECT_FLOAT_EQ(surface->points[0].y, 2.4f);
  for (int r = 0; r < 6; ++r) {
    for (int i = 0; i < 3; ++i) EXPECT_EQ(surface->points[r * 3 + i].x, curve->points[i].x);
  }
}

TEST_F(SurfaceRowsTest, CancelBuildsNothingAndLeavesThePickTool) {
  AddCurve({{0, 0, 0}, {1, 0, 0}});
  for (const int id : {kExtendSurfaceCommand, kVerticalRevolveSurfaceCommand}) {
    const CSurfaceObject* before = LastSurface();
    ProgramCommandRouter().Dispatch(id);
    ASSERT_EQ(Headless().modelessOpen.size(), 1u);
    Headless().modelessOpen[0]->PressCancel();
    ProgramCommandQueue().Drain();
    EXPECT_EQ(LastSurface(), before);
    EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  }
}

TEST_F(SurfaceRowsTest, RowsHaveTheirKind) {
  const ExpectedRow rows[] = {{8000, HandlerKind::kDirect},     {8001, HandlerKind::kDirect},
                      {8002, HandlerKind::kDirect},     {8004, HandlerKind::kDirect},
                      {8006, HandlerKind::kDirect},     {8010, HandlerKind::kResetFirst},
                      {8011, HandlerKind::kResetFirst}, {8012, HandlerKind::kResetFirst}};
  ExpectRowsRegistered(rows, *holder);
  // Loft stays the current tool: no pick tool follows its worker.
  holder->RunCommand(kLoftSurfaceCommand);
  EXPECT_NE(dynamic_cast<CLoftToolDlg*>(GetTool(0)), nullptr);
  EXPECT_EQ(GetCurrentToolCursorId(), kLoftSurfaceCommand);
  // The primitives reset first: a fresh pick tool, then the cone.
  holder->RunCommand(kConeSurfaceCommand);
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  ASSERT_NE(LastSurface(), nullptr);
  EXPECT_EQ(LastSurface()->rows, 6);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "scene/pick_tool.h"
#include "scene/static_tools.h"
#include "scene/transform_tool.h"
#include "scene/view_commands.h"
#include "scene/view_type_change.h"
#include "scene/zoom_tools.h"
#include "services/snap_step.h"
#include "view_host_fake.h"

namespace {

void ExpectMatrixEq(const Matrix4& actual, const Matrix4& expected) {
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(actual[i], expected[i]) << "element " << i;
}

class VornViewCommandsTest : public HostedViewTest {
 protected:
  void SetUp() override {
    HostedViewTest::SetUp();
    view().OnSize(kSizeRestored, 300, 200);
    tool = InstallRecordingTool();
  }

  int Redraws() const { return static_cast<int>(tool->dragFrames.size()); }

  RecordingTool* tool = nullptr;
};

TEST_F(VornViewCommandsTest, DirectionsKeepTheThreeDCameraAndMaximiseTheFrame) {
  view().SetViewType(kView3D, 0);
  view().RotateAboutAxis(0, 30);
  view().viewMatrix[12] = 1, view().viewMatrix[13] = 2, view().viewMatrix[14] = 3;
  const Matrix4 camera = view().viewMatrix;
  const int titles = frame().titleUpdates;

  // A restored frame is maximised (which repaints it), a maximised one redrawn.
  view().OnViewDirection(3201);
  EXPECT_EQ(view().viewType, kViewFront);
  EXPECT_EQ(frame().titleUpdates, titles + 1);
  EXPECT_EQ(frame().maximizes, 1);
  EXPECT_EQ(Redraws(), 0);
  view().OnViewDirection(3202);
  EXPECT_EQ(view().viewType, kViewRight);
  EXPECT_EQ(Redraws(), 1);

  view().OnViewDirection(3200);
  EXPECT_EQ(view().viewType, kView3D);
  ExpectMatrixEq(view().viewMatrix, camera);
  EXPECT_EQ(frame().titleUpdates, titles + 3);

  // The type the view has only maximises.
  frame().maximized = false;
  view().OnViewDirection(3200);
  EXPECT_EQ(frame().maximizes, 2);
  EXPECT_EQ(frame().titleUpdates, titles + 3);
  EXPECT_EQ(Redraws(), 2);
}

TEST_F(VornViewCommandsTest, StepRotationFirstFreesAFixedView) {
  view().SetViewType(kViewTop, 0);
  const Matrix4 top = view().viewMatrix;
  const int titles = frame().titleUpdates;
  RepeatMultiplier = 4;
  view().OnFlipRoll(3420);
  EXPECT_EQ(view().viewType, kView3D);
  EXPECT_EQ(frame().titleUpdates, titles + 1);
  ExpectMatrixEq(view().viewMatrix, top);
  EXPECT_EQ(Redraws(), 0);

  view().OnFlipRoll(3420);
  // About the screen's horizontal axis: model y tips toward the depth axis by -2 degrees.
  EXPECT_NEAR(std::atan2(view().viewMatrix.at(1, 2), view().viewMatrix.at(1, 1)) * 180 / std::numbers::pi, -2.0,
              1e-4);
  EXPECT_EQ(Redraws(), 1);
}

TEST_F(VornViewCommandsTest, ResetGivesTheFrontAxesAtZoomOneAndRedrawsTheWholePane) {
  view().SetViewType(kView3D, 0);
  view().RotateAboutAxis(1, 40);
  view().Zoom(3);
  view().viewMatrix[12] = 4;
  view().OnResetView();
  CViewport front;
  front.SetAxes(0, 2, 1, 1, 1, -1);
  ExpectMatrixEq(view().viewMatrix, front.viewMatrix);
  EXPECT_EQ(view().zoomScale, 1.0f);
  EXPECT_EQ(view().gridUnit, 0.5f);
  EXPECT_EQ(view().viewType, kView3D);
  EXPECT_EQ(Redraws(), 1);
}

TEST_F(VornViewCommandsTest, DisplayModesRedrawOnChangeAndChecksFollowTheView) {
  const std::pair<int, int> modes[] = {{3100, 10}, {3101, 0}, {3102, 20}, {3103, 100}, {3104, 300}, {3105, 400}};
  for (const auto& [id, mode] : modes) {
    view().OnSetDisplayMode(3103);
    const int redraws = Redraws();
    view().OnSetDisplayMode(id);
    EXPECT_EQ(view().displayMode, mode) << id;
    EXPECT_EQ(Redraws() - redraws, id == 3103 ? 0 : 1) << id;
    for (const auto& [other, otherMode] : modes) EXPECT_EQ(view().ViewCommandCheck(other), other == id) << id;
  }

  view().SetViewType(kViewBack, 0);
  for (int id = 3200; id <= 3206; ++id) EXPECT_EQ(view().ViewCommandCheck(id), id == 3204) << id;

  SnapFactor = 1;
  EXPECT_EQ(view().ViewCommandCheck(3002), false);
  ToggleSnapStep();
  EXPECT_EQ(view().ViewCommandCheck(3002), true);
  EXPECT_EQ(view().ViewCommandCheck(5010), false);
  ToggleTransformReference();
  EXPECT_EQ(view().ViewCommandCheck(5010), true);
  EXPECT_EQ(view().ViewCommandCheck(3300), std::nullopt);
}

TEST_F(VornViewCommandsTest, NewWindowCopiesTheViewAndForgetsAClosedSource) {
  view().SetViewType(kViewTop, 0);
  view().OnSetDisplayMode(3104);
  view().OnNewWindow();
  host.Drain();
  ASSERT_EQ(host.views.size(), 2u);
  EXPECT_EQ(host.views[1]->view.viewType, kViewTop);
  EXPECT_EQ(host.views[1]->view.displayMode, kDisplayShadingInColor);
  EXPECT_EQ(NewWindowSourceView, nullptr);

  // The source closes before its request is handled: the new view takes the pending type alone.
  host.views[1]->view.OnNewWindow();
  host.RemoveView(1);
  EXPECT_EQ(NewWindowSourceView, nullptr);
  host.Drain();
  ASSERT_EQ(host.views.size(), 2u);
  EXPECT_EQ(host.views[1]->view.viewType, kViewTop);
  EXPECT_EQ(host.views[1]->view.displayMode, kDisplayNormalWire);
}

TEST_F(VornViewCommandsTest, ZoomBoxKeepsTheToolItReplacesOnce) {
  RecordingTool transient;
  TheScene.secondaryTool = &transient;
  view().OnZoomBox();
  EXPECT_EQ(TheScene.secondaryTool, &ZoomBoxTool());
  view().OnZoomBox();
  EXPECT_EQ(ZoomBoxTool().KeptTool(), &transient);

  view().OnPick();
  EXPECT_NE(dynamic_cast<CPickTool*>(TheScene.defaultTool.get()), nullptr);
}

// A tool destroyed while the zoom box is out (a later command's tool ends with its document, say)
// is not put back: the box's release leaves the secondary slot empty.
TEST_F(VornViewCommandsTest, ZoomBoxDropsAKeptToolThatWasDestroyed) {
  auto transient = std::make_unique<RecordingTool>();
  TheScene.secondaryTool = transient.get();
  view().OnZoomBox();
  transient.reset();
  EXPECT_EQ(ZoomBoxTool().KeptTool(), nullptr);
  view().OnSize(kSizeRestored, 40, 30);
  view().OnLButtonDown(kMouseLeftButton, 20, 15);
  view().OnLButtonUp(0, 20, 15);
  EXPECT_EQ(TheScene.secondaryTool, nullptr);
}

}  // namespace

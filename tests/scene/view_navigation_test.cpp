#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/int_pow.h"
#include "kernel/point_set_object.h"
#include "scene/pick_tool.h"
#include "scene/render_view.h"
#include "scene/tool_framework.h"
#include "scene/transform_tools.h"
#include "scene/view_type_change.h"
#include "view_host_fake.h"

namespace {

void ExpectMatrixNear(const Matrix4& actual, const Matrix4& expected, const std::string& name) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << name << " element " << i;
}

// A 500 x 500 view, alone in its maximised frame, with a recording default tool.
class ViewNavigationTest : public HostedViewTest {
 protected:
  void SetUp() override {
    HostedViewTest::SetUp();
    frame().maximized = true;
    view().OnSize(kSizeMaximized, 500, 500);
    tool = InstallRecordingTool();
  }

  int Frames() const { return static_cast<int>(tool->dragFrames.size()); }

  // A drag with the button (and Ctrl) from the pane's centre by (dx, dy) in one move, Tab held.
  void NavigationDrag(int button, int control, int dx, int dy) {
    view().OnKeyDown(kKeyTab);
    Press(button, control, 250, 250);
    view().OnMouseMove(button | control, 250 + dx, 250 + dy);
    Release(button, control, 250 + dx, 250 + dy);
    view().OnKeyUp(kKeyTab);
  }
  void Press(int button, int flags, int x, int y) {
    if (button == kMouseLeftButton) {
      view().OnLButtonDown(button | flags, x, y);
    } else {
      view().OnRButtonDown(button | flags, x, y);
    }
  }
  void Release(int button, int flags, int x, int y) {
    if (button == kMouseLeftButton) {
      view().OnLButtonUp(flags, x, y);
    } else {
      view().OnRButtonUp(flags, x, y);
    }
  }

  RecordingTool* tool = nullptr;
};

TEST_F(ViewNavigationTest, DragsAndTheWheelMoveTheCamera) {
  // The camera a gesture should give, made with the viewport's own camera steps.
  struct Case {
    std::string name;
    int type;
    std::function<void()> gesture;
    std::function<void(CViewport&)> expected;
    int titleUpdates;
  };
  const double kDragZoom = 1.1f;
  const Case cases[] = {
      {"left drag 50 down rotates 10 degrees about the horizontal axis", kView3D,
       [&] { NavigationDrag(kMouseLeftButton, 0, 0, 50); },
       [](CViewport& v) { v.RotateAboutAxis(0, 10); }, 0},
      {"left drag on a top view turns it 3D from the top axes", kViewTop,
       [&] { NavigationDrag(kMouseLeftButton, 0, 25, 50); },
       [](CViewport& v) { v.RotateAboutAxis(0, 10), v.RotateAboutAxis(1, 5); }, 1},
      {"right drag 40 right zooms in", kViewFront, [&] { NavigationDrag(kMouseRightButton, 0, 40, 0); },
       [&](CViewport& v) { v.Zoom(static_cast<float>(std::pow(kDragZoom, 2.0))); }, 0},
      {"right drag 40 up zooms in", kViewFront, [&] { NavigationDrag(kMouseRightButton, 0, 0, -40); },
       [&](CViewport& v) { v.Zoom(static_cast<float>(std::pow(kDragZoom, 2.0))); }, 0},
      {"right drag 40 down zooms out", kViewFront, [&] { NavigationDrag(kMouseRightButton, 0, 0, 40); },
       [&](CViewport& v) { v.Zoom(static_cast<float>(std::pow(kDragZoom, -2.0))); }, 0},
      {"ctrl right drag rolls a fixed view as 3D", kViewFront,
       [&] { NavigationDrag(kMouseRightButton, kMouseControl, -50, 10); },
       [](CViewport& v) { v.RotateAboutAxis(2, -10); }, 1},
      {"ctrl left drag pans with the pointer", kViewFront,
       [&] { NavigationDrag(kMouseLeftButton, kMouseControl, 50, 20); },
       [](CViewport& v) { v.viewMatrix[12] += 5.0f, v.viewMatrix[13] -= 2.0f; }, 0},
      {"wheel +240 zooms by 1.21", kViewFront, [&] { view().OnMouseWheel(0, 240, 1, 1); },
       [](CViewport& v) { v.Zoom(static_cast<float>(IntPow(1.1, 2))); }, 0},
      {"ctrl wheel +240 rolls 20 degrees", kView3D, [&] { view().OnMouseWheel(kMouseControl, 240, 1, 1); },
       [](CViewport& v) { v.RotateAboutAxis(2, 20); }, 0},
      {"a lone +60 changes nothing", kViewFront, [&] { view().OnMouseWheel(0, 60, 1, 1); },
       [](CViewport&) {}, 0},
  };
  for (const Case& c : cases) {
    ResetCamera(&view(), c.type);
    view().viewType = c.type;
    view().viewMatrix[12] = 1.0f;
    CViewport expected;
    expected.viewMatrix = view().viewMatrix;
    c.expected(expected);
    const int titles = frame().titleUpdates;
    const int frames = Frames();

    c.gesture();
    ExpectMatrixNear(view().viewMatrix, expected.viewMatrix, c.name);
    EXPECT_FLOAT_EQ(view().zoomScale, expected.zoomScale) << c.name;
    EXPECT_EQ(frame().titleUpdates - titles, c.titleUpdates) << c.name;
    EXPECT_EQ(view().viewType == kView3D, c.type == kView3D || c.titleUpdates != 0) << c.name;
    EXPECT_EQ(Frames() - frames, 1) << c.name;  // one redraw, even for the lone notch
    EXPECT_EQ(NavigationFlags, 0) << c.name;
    EXPECT_EQ(WheelAccumulator, 0) << c.name;
    EXPECT_TRUE(tool->calls.empty()) << c.name;
  }
}

TEST_F(ViewNavigationTest, WaitingMessagesAreLeftToTheNewestOne) {
  hosted->window.wheelWaits = true;
  view().OnMouseWheel(0, 60, 1, 1);
  hosted->window.wheelWaits = false;
  view().OnMouseWheel(0, 60, 1, 1);
  EXPECT_FLOAT_EQ(view().zoomScale, 1.1f);
  EXPECT_EQ(Frames(), 1);

  view().OnKeyDown(kKeyTab);
  view().OnLButtonDown(kMouseLeftButton, 250, 250);
  hosted->window.mouseWaits = true;
  view().OnMouseMove(kMouseLeftButton, 250, 300);
  EXPECT_EQ(Frames(), 1);
  hosted->window.mouseWaits = false;
  view().OnMouseMove(kMouseLeftButton, 250, 300);
  EXPECT_EQ(Frames(), 2);
}

TEST_F(ViewNavigationTest, ToolsSeeOnlyTheirOwnPressesAndReleases) {
  // A move without a button reaches no tool.
  view().OnMouseMove(0, 10, 10);
  EXPECT_TRUE(tool->calls.empty());

  // A release whose press was a navigation press stays away from the tool, Tab released or not.
  view().OnKeyDown(kKeyTab);
  view().OnKeyDown(kKeyTab);  // key repeat
  EXPECT_EQ(hosted->window.hintBoxes, 1);
  view().OnLButtonDown(kMouseLeftButton, 100, 100);
  view().OnKeyUp(kKeyTab);
  view().OnMouseMove(kMouseLeftButton, 100, 120);
  view().OnLButtonUp(0, 100, 120);
  EXPECT_TRUE(tool->calls.empty());
  EXPECT_EQ(NavigationFlags, 0);
  EXPECT_EQ(view().buttonBits, 0);
  EXPECT_EQ(CaptureView(), nullptr);

  // Releasing Tab redraws nothing, so the hint box stays; the next Tab draws it again.
  const int frames = Frames();
  view().OnKeyDown(kKeyTab);
  view().OnKeyUp(kKeyTab);
  EXPECT_EQ(Frames(), frames);
  EXPECT_EQ(hosted->window.hintBoxes, 2);

  // A press without Tab goes to the tool, and so do its moves and its release, with the capture.
  view().OnLButtonDown(kMouseLeftButton, 100, 100);
  EXPECT_EQ(CaptureView(), &view());
  view().OnMouseMove(kMouseLeftButton, 110, 100);
  view().OnLButtonUp(0, 110, 100);
  EXPECT_EQ(tool->calls, (std::vector<std::string>{"ldown", "move", "lup"}));
  EXPECT_EQ(CaptureView(), nullptr);
}

// A lost capture or focus must leave nothing held: the next press reaches the tool.
TEST_F(ViewNavigationTest, LostCaptureEndsANavigationDragInFullQuality) {
  view().displayMode = kDisplayRendering;
  view().OnKeyDown(kKeyTab);
  view().OnRButtonDown(kMouseRightButton, 100, 100);
  view().OnMouseMove(kMouseRightButton, 140, 100);
  EXPECT_EQ(tool->dragFrames.back(), 1);
  view().OnKeyUp(kKeyTab);

  view().OnCaptureLost();
  EXPECT_EQ(tool->dragFrames, (std::vector<int>{1, 0}));
  EXPECT_EQ(NavigationFlags, 0);
  EXPECT_EQ(view().buttonBits, 0);
  EXPECT_EQ(CaptureView(), nullptr);

  view().OnRButtonDown(kMouseRightButton, 100, 100);
  EXPECT_EQ(tool->calls, (std::vector<std::string>{"rdown"}));
}

TEST_F(ViewNavigationTest, LostFocusReleasesTab) {
  view().OnKeyDown(kKeyTab);
  view().OnFocusLost();
  EXPECT_EQ(NavigationFlags, 0);
  view().OnLButtonDown(kMouseLeftButton, 100, 100);
  EXPECT_EQ(tool->calls, (std::vector<std::string>{"ldown"}));
}

// A front view of ten pixels per unit with one selected point at (2, 1, 0).
class ViewToolDragTest : public HostedViewTest {
 protected:
  void SetUp() override {
    HostedViewTest::SetUp();
    view().OnSize(kSizeRestored, 201, 201);
    ShowTenPixelsPerUnit(view());
    auto object = std::make_unique<CPointSetObject>(1, std::vector<Vector3>{{2, 1, 0}});
    point = AddObject(object, 0);
    host.document.Clear();
  }
  CPointSetObject* point = nullptr;
};

TEST_F(ViewToolDragTest, LostCaptureFinishesATransformDrag) {
  point->ObjectState = kStateSelected;
  StartTransformTool(1, TransformReference);
  view().OnLButtonDown(kMouseLeftButton, 100, 100);
  view().OnMouseMove(kMouseLeftButton, 130, 100);
  EXPECT_EQ(DragRedrawFlag, 1);

  view().OnCaptureLost();
  EXPECT_EQ(DragRedrawFlag, 0);
  EXPECT_FLOAT_EQ(point->points[0].x, 5.0f);
  int steps = 0;
  for (const auto& step : host.document.ring) steps += step.empty() ? 0 : 1;
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(view().buttonBits, 0);
  EXPECT_EQ(CaptureView(), nullptr);
}

TEST_F(ViewToolDragTest, TabPressedDuringAPickWindowLetsTheReleaseReachTheTool) {
  auto curve = std::make_unique<CCurveObject>();
  curve->stepsPerSpan = 1;
  curve->SetPoints(2, {{1, 1, 0}, {3, 1, 0}});
  CCurveObject* line = AddObject(curve, 0);
  line->ObjectState = kStateShown;
  ResetToPickTool();
  view().OnLButtonDown(kMouseLeftButton, 105, 85);
  view().OnKeyDown(kKeyTab);
  view().OnMouseMove(kMouseLeftButton, 135, 95);
  view().OnLButtonUp(0, 135, 95);
  EXPECT_EQ(line->ObjectState, kStateSelected);
  EXPECT_EQ(view().buttonBits, 0);
  EXPECT_EQ(CaptureView(), nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "kernel/curve_object.h"
#include "scene/active_view_renderer.h"
#include "scene/pick_callback_tool.h"
#include "scene/tool_framework.h"
#include "view_host_fake.h"

namespace {

class VornViewTest : public HostedViewTest {
 protected:
  void SetUp() override {
    HostedViewTest::SetUp();
    view().OnSize(kSizeRestored, 40, 30);
  }
};

TEST_F(VornViewTest, DrawingFillsTheWindowImageAndPresentsIt) {
  view().InvalidateViewportRect();
  EXPECT_EQ(view().windowImage.width(), 40);
  EXPECT_EQ(view().windowImage.height(), 30);
  EXPECT_EQ(view().documentHistory, &host.document);
  ASSERT_NE(view().depthRaster, nullptr);
  EXPECT_EQ(view().depthRaster->width, 40);
  EXPECT_EQ(view().dirtyFlag, 0);
  EXPECT_EQ(hosted->window.presents, 1);
  ASSERT_NE(view().savedWindowImage, nullptr);
  EXPECT_EQ(view().savedWindowImage->rows(), view().windowImage.rows());
}

// Whatever draws into the window image outside a paint must be shown: the view draws there,
// not on the screen.
TEST_F(VornViewTest, RedrawsAndToolFeedbackArePresented) {
  view().InvalidateViewportRect();
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"wheel", [&] { view().OnMouseWheel(0, 120, 1, 1); }},
      {"zoom command", [&] { view().OnZoomIn(); }},
      {"display mode command", [&] { view().OnSetDisplayMode(3100); }},
      {"tool feedback", [&] { view().Refresh(1); }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    const int before = hosted->window.presents;
    change();
    EXPECT_GT(hosted->window.presents, before);
  }
}

TEST_F(VornViewTest, TheSavedImageCopiesTheDirtyRectangleOrTheWholePane) {
  view().RestoreWindowImage();  // nothing saved yet: nothing happens
  view().InvalidateViewportRect();
  const ColorRef clean = view().windowImage.PixelAt(0, 0);
  view().windowImage.FillSolidRect(0, 0, 40, 30, 0x0000FF);
  view().AddDirtyRect(10, 10, 20, 20);
  view().RestoreWindowImage();
  EXPECT_EQ(view().windowImage.PixelAt(10, 10), clean);
  EXPECT_EQ(view().windowImage.PixelAt(19, 19), clean);
  EXPECT_EQ(view().windowImage.PixelAt(20, 20), 0x0000FFu);
  EXPECT_EQ(view().windowImage.PixelAt(9, 10), 0x0000FFu);

  view().dirtyFlag = 0;
  view().SaveWindowImage();
  EXPECT_EQ(view().savedWindowImage->PixelAt(39, 29), 0x0000FFu);
}

TEST_F(VornViewTest, VisibleUnlessAnotherMaximisedFrameIsActive) {
  HostedView& other = host.AddView();
  const struct {
    const char* name;
    FakeFrame* active;
    bool otherMaximised;
    int visible;
  } cases[] = {
      {"own frame active", &frame(), true, 1},
      {"other frame restored", &other.window.frame, false, 1},
      {"other frame maximised", &other.window.frame, true, 0},
      {"no active frame", nullptr, true, 1},
  };
  for (const auto& c : cases) {
    host.mdi.active = c.active;
    other.window.frame.maximized = c.otherMaximised;
    frame().maximized = c.otherMaximised;
    EXPECT_EQ(view().IsVisible(), c.visible) << c.name;
  }
  SetMdiHost(nullptr);
  EXPECT_EQ(view().IsVisible(), 1);
}

TEST_F(VornViewTest, SizesOfAMinimisedFrameOrDuringAFrameDoNotResizeAtOnce) {
  view().OnSize(kSizeMinimized, 0, 0);
  EXPECT_EQ(view().width, 40);
  view().OnSize(kSizeMaximized, 60, 50);
  EXPECT_EQ(view().height, 50);
  EXPECT_EQ(view().depthRaster->height, 50);

  int widthDuringFrame = 0;
  RegisterActiveViewRenderer([&](int) {
    view().OnSize(kSizeRestored, 80, 70);
    widthDuringFrame = view().width;
  });
  view().displayMode = kDisplayRendering;
  view().InvalidateViewportRect();
  EXPECT_EQ(widthDuringFrame, 60);
  EXPECT_EQ(view().width, 80);
  EXPECT_EQ(view().depthRaster->height, 70);
}

TEST_F(VornViewTest, AClosedViewIsNoLongerTheDrawingTargetNorTheSource) {
  view().OnNewWindow();
  ProgramCommandQueue().Reset();
  ASSERT_EQ(NewWindowSourceView, &view());
  view().OnActivateView(true);
  EXPECT_EQ(GetDrawingView(), &view());
  EXPECT_EQ(GetActiveView(), &view());
  host.RemoveView(0);
  EXPECT_EQ(GetDrawingView(), nullptr);
  EXPECT_EQ(GetActiveView(), nullptr);
  EXPECT_EQ(NewWindowSourceView, nullptr);
  EXPECT_EQ(PendingViewTop, 0);
}

// The wheel makes the pane under the pointer the drawing view and leaves it so; a command on
// another pane still redraws that pane, into its own window, and leaves the drawing view as it
// found it.
TEST_F(VornViewTest, EveryViewCommandRedrawsItsOwnViewWhereverTheWheelTurned) {
  constexpr ColorRef kWiped = 0x123456;
  HostedView& other = host.AddView();
  other.view.OnSize(kSizeRestored, 40, 30);
  frame().Activate();
  view().OnActivateView(true);
  frame().maximized = true;
  for (CVornView* v : {&view(), &other.view}) v->InvalidateViewportRect();
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"display mode", [&] { view().OnSetDisplayMode(3102); }},
      {"pan", [&] { view().OnPan(3400); }},
      {"zoom in", [&] { view().OnZoomIn(); }},
      {"zoom 1:1", [&] { view().OnZoomOneToOne(); }},
      {"zoom all", [&] { view().OnZoomAll(); }},
      {"reset view", [&] { view().OnResetView(); }},
      {"view direction", [&] { view().OnViewDirection(3203); }},
      {"3D view", [&] { view().OnViewDirection(3200); }},
      {"rotate step", [&] { view().OnFlipRoll(3420); }},
  };
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    other.view.OnMouseWheel(0, 120, 5, 5);
    ASSERT_EQ(GetDrawingView(), &other.view);
    for (CVornView* v : {&view(), &other.view}) v->windowImage.FillSolidRect(0, 0, 40, 30, kWiped);
    const int otherPresents = other.window.presents;
    command();
    EXPECT_NE(view().windowImage.PixelAt(0, 0), kWiped);
    EXPECT_EQ(other.view.windowImage.PixelAt(0, 0), kWiped);
    EXPECT_EQ(other.window.presents, otherPresents);
    EXPECT_EQ(GetDrawingView(), &other.view);
    EXPECT_EQ(GetActiveView(), &view());
  }
}

// A tool draws its lasso or highlight straight into the window image as the mouse moves or
// presses; the window is told once per event, however many lines were drawn, and not at all
// when nothing was.
TEST_F(VornViewTest, WhatAToolDrawsIntoTheWindowIsPresentedOncePerEvent) {
  constexpr ColorRef kLassoBlue = 0xFF0000;
  constexpr ColorRef kRed = 0x0000FF;
  view().InvalidateViewportRect();
  ResetToPickTool();
  const int& presents = hosted->window.presents;
  view().OnLButtonDown(kMouseLeftButton | kMouseControl, 5, 5);
  const struct {
    int x, y;
    int newPresents;
  } moves[] = {{15, 15, 1}, {16, 15, 0} /* closer than 2 pixels: no segment */, {25, 5, 1}};
  for (const auto& move : moves) {
    SCOPED_TRACE(move.x);
    const int before = presents;
    view().OnMouseMove(kMouseLeftButton | kMouseControl, move.x, move.y);
    EXPECT_EQ(presents - before, move.newPresents);
  }
  EXPECT_EQ(view().windowImage.PixelAt(10, 10), kLassoBlue);
  view().OnLButtonUp(kMouseControl, 25, 5);

  // A curve across the pane at mid-height, highlighted by the press that picks it.
  auto curve = std::make_unique<CCurveObject>();
  curve->SetPoints(3, {{-100, 0, 0}, {0, 0, 0}, {100, 0, 0}});
  curve->controlPointsHidden = 1;
  AddObject(curve, 0);
  view().InvalidateViewportRect();
  StartCallbackTool(nullptr, kKindCurve, 0);
  const int before = presents;
  view().OnLButtonDown(kMouseLeftButton, 20, 15);
  EXPECT_EQ(presents - before, 1);
  EXPECT_EQ(view().windowImage.PixelAt(30, 15), kRed);
  view().OnLButtonUp(0, 20, 15);
}

// Drawing after a pane closes goes to the active pane's window, or nowhere.
TEST_F(VornViewTest, ClosingTheDrawingViewLeavesTheActiveViewOrNone) {
  HostedView& other = host.AddView();
  other.view.OnSize(kSizeRestored, 40, 30);
  view().OnActivateView(true);
  other.view.OnMouseWheel(0, 120, 5, 5);
  ASSERT_EQ(GetDrawingView(), &other.view);
  host.RemoveView(1);
  EXPECT_EQ(GetDrawingView(), &view());
  host.RemoveView(0);
  EXPECT_EQ(GetDrawingView(), nullptr);
}

}  // namespace

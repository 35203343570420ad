#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "kernel/int_pow.h"
#include "scene/render_view.h"
#include "scene/tool.h"
#include "scene/view_frame.h"
#include "scene/vorn_view.h"

int NavigationFlags = 0;
int NavigationLastX = 0;
int NavigationLastY = 0;
int LastMouseFlags = 0;
int WheelAccumulator = 0;

namespace {

CVornView* captureView = nullptr;

// A button's navigation bit has the value of its pane bit.
constexpr int kBothButtons = kNavigationLeftDrag | kNavigationRightDrag;
static_assert(kNavigationLeftDrag == kMouseLeftButton && kNavigationRightDrag == kMouseRightButton);

// The zoom drag's base is the single-precision 1.1, widened.
constexpr double kDragZoomBase = 1.1f;
constexpr double kWheelZoomBase = 1.1;
constexpr int kWheelNotch = 120;
constexpr int kWheelRollDegrees = 10;
// A drag across the whole pane height turns this far.
constexpr double kDegreesPerPaneHeight = 100.0;
constexpr double kZoomPerPixel = 0.05;

enum class Gesture { kRotate, kRoll, kZoom, kPan };

// Left drags rotate, right drags zoom, with Ctrl left pans and right rolls; with both buttons
// held Ctrl makes it a zoom.
Gesture NavigationGesture(bool left, bool right, bool control) {
  if (left && control) return right ? Gesture::kZoom : Gesture::kPan;
  if (right && !control) return Gesture::kZoom;
  if (right) return Gesture::kRoll;
  return Gesture::kRotate;
}

}  // namespace

void SetCapture(CVornView* view) { captureView = view; }
void ReleaseCapture() { captureView = nullptr; }
CVornView* CaptureView() { return captureView; }

void CVornView::NoteMouse(int flags, int x, int y) {
  LastMouseFlags = flags;
  lastPointX_ = x;
  lastPointY_ = y;
}

// The hint box is drawn once per press of Tab: key repeats draw nothing more.
void CVornView::OnKeyDown(int key) {
  if (key != kKeyTab) return;
  if ((NavigationFlags & kNavigationTabHeld) == 0 && window_ != nullptr) {
    window_->DrawHintBox(windowImage);
    window_->Present();
  }
  NavigationFlags |= kNavigationTabHeld;
}

// The box stays until the next redraw, and a drag under way goes on.
void CVornView::OnKeyUp(int key) {
  if (key == kKeyTab) NavigationFlags &= ~kNavigationTabHeld;
}

// Tab can no longer be seen going up, so it counts as released (nothing is redrawn either).
void CVornView::OnFocusLost() { NavigationFlags &= ~kNavigationTabHeld; }

void CVornView::OnLButtonDown(int flags, int x, int y) { ButtonDown(kMouseLeftButton, flags, x, y); }
void CVornView::OnRButtonDown(int flags, int x, int y) { ButtonDown(kMouseRightButton, flags, x, y); }
void CVornView::OnLButtonUp(int flags, int x, int y) { ButtonUp(kMouseLeftButton, flags, x, y); }
void CVornView::OnRButtonUp(int flags, int x, int y) { ButtonUp(kMouseRightButton, flags, x, y); }

void CVornView::OnLButtonDblClk(int flags, int x, int y) {
  NoteMouse(flags, x, y);
  CViewport::OnLButtonDblClk(flags, x, y);
}

void CVornView::OnRButtonDblClk(int flags, int x, int y) {
  NoteMouse(flags, x, y);
  CViewport::OnRButtonDblClk(flags, x, y);
}

// With navigation on (Tab held, or another navigation drag running) the press starts a
// navigation drag of its own and the tool is not told.
void CVornView::ButtonDown(int bit, int flags, int x, int y) {
  NoteMouse(flags, x, y);
  SetDrawingView(this);
  SetCapture(this);
  if (NavigationFlags != 0) {
    buttonBits |= bit;
    NavigationFlags |= bit;
    NavigationLastX = x;
    NavigationLastY = y;
  } else if (bit == kMouseLeftButton) {
    CViewport::OnLButtonDown(flags, x, y);
  } else {
    CViewport::OnRButtonDown(flags, x, y);
  }
}

void CVornView::ButtonUp(int bit, int flags, int x, int y) {
  NoteMouse(flags, x, y);
  if (buttonBits == 0 || CaptureView() != this) return;
  ReleaseButton(bit, flags, x, y);
}

// A release follows its own press: only a button that started a navigation drag ends one, so a
// tool drag still ends at the tool when Tab went down meanwhile.
void CVornView::ReleaseButton(int bit, int flags, int x, int y) {
  if ((NavigationFlags & bit) != 0) {
    NavigationFlags &= ~bit;
    const int kept = buttonBits & ~bit;
    buttonBits = 0;
    // The drag drew shaded modes as Fast Shading.
    if (displayMode > kDisplayFastShading) RedrawView(this);
    buttonBits = kept;
  } else if (bit == kMouseLeftButton) {
    CViewport::OnLButtonUp(flags, x, y);
  } else {
    CViewport::OnRButtonUp(flags, x, y);
  }
  if (buttonBits == 0) ReleaseCapture();
}

// Each held button is released where the pointer was last seen, as a release there would be;
// otherwise its bits would stay set and swallow the next presses.
void CVornView::OnCaptureLost() {
  for (const int bit : {kMouseLeftButton, kMouseRightButton}) {
    if ((buttonBits & bit) == 0) continue;
    LastMouseFlags &= ~bit;
    ReleaseButton(bit, LastMouseFlags, lastPointX_, lastPointY_);
  }
  if (CaptureView() == this) ReleaseCapture();
}

// Tools never see moves without a button held in this pane.
void CVornView::OnMouseMove(int flags, int x, int y) {
  NoteMouse(flags, x, y);
  if (buttonBits == 0 || CaptureView() != this) return;
  if (window_ != nullptr && window_->MouseMessageWaits()) return;
  if ((NavigationFlags & kBothButtons) != 0) {
    NavigationStep(flags, x, y);
  } else {
    CViewport::OnMouseMove(flags, x, y);
  }
}

void CVornView::NavigationStep(int flags, int x, int y) {
  ApplyProjection();
  const double dx = x - NavigationLastX;
  const double dy = y - NavigationLastY;
  const bool left = (flags & kMouseLeftButton) != 0;
  const bool right = (flags & kMouseRightButton) != 0;
  const bool control = (flags & kMouseControl) != 0;
  if (viewType != kView3D && ((left && !control) || (right && control))) MakeFree3D();
  // A pane without height has nothing to turn by.
  if (height > 0) {
    const double h = height;
    switch (NavigationGesture(left, right, control)) {
      case Gesture::kRotate:
        RotateAboutAxis(0, dy * kDegreesPerPaneHeight / h);
        RotateAboutAxis(1, dx * kDegreesPerPaneHeight / h);
        break;
      case Gesture::kRoll: {
        const double ax = dx * kDegreesPerPaneHeight / h;
        const double ay = dy * kDegreesPerPaneHeight / h;
        RotateAboutAxis(2, std::abs(ax) > std::abs(ay) ? ax : ay);
        break;
      }
      case Gesture::kZoom: {
        // Dragging right or up magnifies.
        const double ex = dx * kZoomPerPixel;
        const double ey = dy * kZoomPerPixel;
        Zoom(static_cast<float>(std::pow(kDragZoomBase, std::abs(ex) > std::abs(ey) ? ex : -ey)));
        break;
      }
      case Gesture::kPan: {
        // The scene follows the pointer.
        const float s = 2.0f * viewExtent / static_cast<float>(height) / zoomScale;
        viewMatrix.m[12] += static_cast<float>(dx) * s;
        viewMatrix.m[13] -= static_cast<float>(dy) * s;
        break;
      }
    }
  }
  DragRedrawFlag = 1;
  SetDrawingView(this);
  // Tools draw no feedback into a navigation frame.
  const int kept = buttonBits;
  buttonBits = 0;
  RedrawView(this);
  buttonBits = kept;
  DragRedrawFlag = 0;
  NavigationLastX = x;
  NavigationLastY = y;
}

// Deltas of wheel messages that arrive together are summed; a remainder below one notch is
// dropped once handled.
void CVornView::OnMouseWheel(int flags, int delta, int x, int y) {
  NoteMouse(flags, x, y);
  WheelAccumulator = static_cast<int>(std::clamp<long long>(
      static_cast<long long>(WheelAccumulator) + delta, INT_MIN, INT_MAX));
  if (window_ != nullptr && window_->WheelMessageWaits()) return;
  SetDrawingView(this);
  const int notches = WheelAccumulator / kWheelNotch;
  if ((flags & kMouseControl) != 0) {
    if (viewType != kView3D) MakeFree3D();
    RotateAboutAxis(2, notches * kWheelRollDegrees);
  } else {
    Zoom(static_cast<float>(IntPow(kWheelZoomBase, notches)));
  }
  SetDrawingView(this);
  // Shaded modes are drawn in full quality at once.
  DragRedrawFlag = displayMode <= kDisplayFastShading ? 1 : 0;
  RedrawView(this);
  DragRedrawFlag = 0;
  WheelAccumulator = 0;
}

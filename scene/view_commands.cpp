#include "scene/view_commands.h"

#include <algorithm>

#include "kernel/geom_object.h"
#include "kernel/int_pow.h"
#include "scene/viewport.h"

float RepeatMultiplier = 1.0f;
float OneToOneZoom = 0.2f;

namespace {

// The multiplier as a whole step count, capped so that a long hold cannot race away.
int StepCount(int limit) { return std::min(static_cast<int>(RepeatMultiplier), limit); }

}  // namespace

void PanView(CViewport* view, int direction) {
  const float s = RepeatMultiplier * kPanStep;
  switch (direction) {
    case kPanUp: view->Translate(0, s, 0); break;
    case kPanDown: view->Translate(0, -s, 0); break;
    case kPanLeft: view->Translate(-s, 0, 0); break;
    case kPanRight: view->Translate(s, 0, 0); break;
    default: return;
  }
  RedrawView(view);
}

void StepZoom(CViewport* view, int direction) {
  const double factor = IntPow(kZoomStep, StepCount(16));
  view->Zoom(static_cast<float>(direction < 0 ? 1.0 / factor : factor));
  RedrawView(view);
}

void ZoomOneToOne(CViewport* view) {
  view->zoomScale = OneToOneZoom;
  view->Zoom(1.0f);  // the grid unit follows the new scale
  RedrawView(view);
}

void StepRotate(CViewport* view, int sign, int axis) {
  view->Rotate(kRollStep * static_cast<float>(StepCount(10) * sign), axis);
  RedrawView(view);
}

int SetDisplayMode(CViewport* view, int mode) {
  if (view->displayMode == mode) return 0;
  view->displayMode = mode;
  // What the views derived for the old mode is not kept past the switch.
  MarkDrawingsStale();
  RedrawView(view);
  return 1;
}

void ResetViewCommandState() {
  RepeatMultiplier = 1.0f;
  OneToOneZoom = 0.2f;
}

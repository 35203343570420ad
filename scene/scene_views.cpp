#include "scene/scene_views.h"

#include "app/core/snap_step.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

namespace {

const CViewport& ActiveOrFreshPane() {
  static const CViewport freshPane;
  const CViewport* active = GetActiveView();
  return active != nullptr ? *active : freshPane;
}

}  // namespace

float ScaleOfActiveView() { return ActiveOrFreshPane().zoomScale; }

float GetGridStep(int withSnap) {
  const float unit = ActiveOrFreshPane().gridUnit;
  return withSnap != 0 ? unit * SnapFactor : unit;
}

Matrix4 GetActiveViewMatrix() { return ActiveOrFreshPane().viewMatrix; }

void RedrawAllViews() {
  CViewport* active = GetActiveView();
  if (active == nullptr || active->documentHistory == nullptr) return;
  CUndoHistory* document = active->documentHistory;
  while (CViewport* view = document->NextView()) view->InvalidateViewportRect();
}

#include "scene/scene_views.h"

#include <algorithm>
#include <cmath>

#include "kernel/geom_object.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"
#include "services/snap_step.h"

namespace {

const CViewport& ActiveOrFreshPane() {
  static const CViewport freshPane;
  const CViewport* active = GetActiveView();
  return active != nullptr ? *active : freshPane;
}

// Calls visit with every view of the active viewport's document; the document's walk makes each
// one the drawing target in turn.
template <class Visit>
void ForEachView(const CViewport& active, Visit visit) {
  CUndoHistory* document = active.documentHistory;
  if (document == nullptr) return;
  while (CViewport* view = document->NextView()) visit(view);
}

// The screen rectangle of a model box's eight corners under the projection in force.
struct ScreenBox {
  float left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
  bool finite = true;
};

ScreenBox ProjectBox(Vector3 min, Vector3 max) {
  const Matrix4 toScreen = GetViewTransform();
  ScreenBox box;
  for (int corner = 0; corner < 8; ++corner) {
    const Vector3 p = TransformPoint({(corner & 1) != 0 ? max.x : min.x,
                                      (corner & 2) != 0 ? max.y : min.y,
                                      (corner & 4) != 0 ? max.z : min.z},
                                     toScreen);
    box.finite = box.finite && std::isfinite(p.x) && std::isfinite(p.y);
    box.left = std::min(box.left, p.x);
    box.right = std::max(box.right, p.x);
    box.top = std::min(box.top, p.y);
    box.bottom = std::max(box.bottom, p.y);
  }
  return box;
}

// How far past an object's screen box its picture may reach. In the normal and fast modes the
// control points' number labels run right of and above their points; other modes allow for
// rounding.
struct Margins {
  int left, top, right, bottom;
};

Margins MarginsFor(int displayMode) {
  if (displayMode == kDisplayNormalWire || displayMode == kDisplayFastShading) {
    return {10, 50, 50, 10};
  }
  return {2, 2, 2, 2};
}

// Far boxes project beyond int; the pane clips the dirty rectangle anyway.
constexpr float kPixelLimit = 1073741824.0f;  // 2^30
int PixelBelow(float v) {
  return static_cast<int>(std::clamp(std::floor(v), -kPixelLimit, kPixelLimit));
}
int PixelAbove(float v) {
  return static_cast<int>(std::clamp(std::ceil(v), -kPixelLimit, kPixelLimit));
}

}  // namespace

float ScaleOfActiveView() { return ActiveOrFreshPane().zoomScale; }

float GetGridStep(int withSnap) {
  const float unit = ActiveOrFreshPane().gridUnit;
  return withSnap != 0 ? unit * SnapFactor : unit;
}

Matrix4 GetActiveViewMatrix() { return ActiveOrFreshPane().viewMatrix; }

void ApplyActiveViewProjection() {
  if (CViewport* active = GetActiveView()) active->ApplyProjection();
}

int IsObjectInView(const CGeomObject* object) {
  const CViewport* active = GetActiveView();
  if (active == nullptr || object->GetKind() == kKindAxisLine) return 1;
  Vector3 min, max;
  object->GetBounds(&min, &max, kIdentityMatrix);
  const ScreenBox box = ProjectBox(min, max);
  const bool dirty = active->dirtyFlag != 0;
  const float left = static_cast<float>(dirty ? active->dirtyLeft : active->x);
  const float top = static_cast<float>(dirty ? active->dirtyTop : active->y);
  const float right =
      static_cast<float>(dirty ? active->dirtyRight : active->x + active->width);
  const float bottom =
      static_cast<float>(dirty ? active->dirtyBottom : active->y + active->height);
  const Margins margin = MarginsFor(active->displayMode);
  const bool outside = right <= box.left - static_cast<float>(margin.left) ||
                       box.top - static_cast<float>(margin.top) >= bottom ||
                       left >= box.right + static_cast<float>(margin.right) ||
                       box.bottom + static_cast<float>(margin.bottom) <= top;
  return outside ? 0 : 1;
}

void RedrawAllViews() {
  CViewport* active = GetActiveView();
  if (active == nullptr) return;
  ForEachView(*active, [](CViewport* view) { view->InvalidateViewportRect(); });
  active->ApplyProjection();
}

int RefreshAllViews(int mode) {
  CViewport* active = GetActiveView();
  if (active == nullptr) return 0;
  ForEachView(*active, [&](CViewport* view) {
    if (view != active) view->Refresh(mode);
  });
  active->ApplyProjection();
  return active->Refresh(mode);
}

void InvalidateBoxInViews(float xmin, float ymin, float zmin, float xmax, float ymax,
                          float zmax) {
  CViewport* active = GetActiveView();
  if (active == nullptr) return;
  ForEachView(*active, [&](CViewport* view) {
    SetActiveView(view);
    view->ApplyProjection();
    const ScreenBox box = ProjectBox({xmin, ymin, zmin}, {xmax, ymax, zmax});
    if (!box.finite) {
      view->AddDirtyRect(view->x, view->y, view->x + view->width, view->y + view->height);
      return;
    }
    const Margins margin = MarginsFor(view->displayMode);
    view->AddDirtyRect(PixelBelow(box.left) - margin.left, PixelBelow(box.top) - margin.top,
                       PixelAbove(box.right) + margin.right,
                       PixelAbove(box.bottom) + margin.bottom);
  });
  SetActiveView(active);
  active->ApplyProjection();
}

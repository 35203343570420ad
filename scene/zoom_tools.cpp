#include "scene/zoom_tools.h"

#include <cmath>
#include <cstdlib>

#include "kernel/bounds_box.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/viewport.h"
#include "services/layer_table.h"

void CZoomBoxTool::OnLButtonDown(int, int x, int y) {
  const CViewport* active = GetActiveView();
  cx = x;
  cy = y;
  hx = hy = 0;
  // A pane without width or height has no shape to keep.
  aspect = active != nullptr && active->width > 0 && active->height > 0
               ? static_cast<float>(active->height) / static_cast<float>(active->width)
               : 0.0f;
  if (aspect > 0.0f) RefreshAllViews(1);
}

void CZoomBoxTool::OnMouseMove(int flags, int x, int y) {
  CViewport* active = GetActiveView();
  if ((flags & kMouseLeftButton) == 0 || aspect <= 0.0f || active == nullptr) return;
  const int dx = std::abs(x - cx);
  const int dy = std::abs(y - cy);
  active->Refresh(0);
  if (static_cast<float>(dy) > static_cast<float>(dx) * aspect) {
    hx = static_cast<std::int32_t>(std::lround(static_cast<float>(dy) / aspect));
    hy = dy;
  } else {
    hx = dx;
    hy = static_cast<std::int32_t>(std::lround(static_cast<float>(dx) * aspect));
  }
  active->Refresh(0);
}

void CZoomBoxTool::DrawFeedback(int) { DrawTransformedRect(cx - hx, cy - hy, cx + hx, cy + hy); }

void CZoomBoxTool::OnLButtonUp(int, int, int) {
  RefreshAllViews(-2);
  TheScene.secondaryTool = KeptTool();
  CViewport* active = GetActiveView();
  if (hx >= 2 && aspect > 0.0f && active != nullptr) ZoomToScreenBox(active, cx, cy, hx, hy);
}

void CZoomBoxTool::KeepTool(CTool* tool) {
  keptTool_ = tool;
  keptLife_ = tool != nullptr ? tool->Life().Watch() : LifeWatch();
}

CTool* CZoomBoxTool::KeptTool() const { return keptLife_.Alive() ? keptTool_ : nullptr; }

void ZoomAll() {
  CViewport* active = GetActiveView();
  if (active == nullptr) return;
  Vector3 min, max;
  if (CTool* tool = TheScene.defaultTool.get()) {
    ToolCallGuard call(tool);
    tool->GetBounds(&min, &max);
  } else {
    ResetBounds(&min, &max);
  }
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, -1, 0)) {
    if (object->ObjectState != 0 && object->ObjectState != 1) continue;
    if (!IsLayerVisible(object->layer) || object->GetKind() == kKindAxisLine) continue;
    Vector3 low, high;
    object->GetBounds(&low, &high, kIdentityMatrix);
    WidenBounds(&min, &max, low, high);
  }
  ZoomToExtents(active, min, max);
}

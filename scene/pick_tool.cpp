#include "scene/pick_tool.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "scene/drawing_context.h"
#include "scene/object_picking.h"
#include "scene/point_selection.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"
#include "services/layer_table.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kPickingString = 10040;        // "Picking..."
constexpr int kPickingCVsString = 10041;     // "Picking CV's..."
constexpr int kPickingTLinesString = 10042;  // "Picking T-Lines..."
constexpr int kPickedObjectsString = 10138;  // "picked objects"

// Every selected object of the kind (0: any but axis lines) goes back to shown, each with an
// undo record.
void DeselectAll(int kind) {
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, 1, kind)) {
    if (kind == 0 && object->GetKind() == kKindAxisLine) continue;
    RecordUndo(object, kUndoChanged);
    object->ObjectState = 0;
  }
}

// The prompt, then the tool as default tool (also without an active viewport), then its cursor.
template <class Make>
void StartPickVariant(int statusString, Make make) {
  CTool* tool = make();
  StoreDefaultTool(tool);
  ShowToolPrompt(tool, GetLocalizedString(statusString));
  SetToolCursor();
}

constexpr int kLassoRoom = 256;
constexpr ColorRef kLassoColor = 0xFF0000;  // blue

Vector3 ModelPointAt(int x, int y) {
  return TransformPoint(Vector3(static_cast<float>(x), static_cast<float>(y), 0.0f), GetInverseViewTransform());
}

// Runs mark for every shown object on a pickable layer.
template <class Mark>
void ForEachMarkCandidate(Mark&& mark) {
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, 0, 0)) {
    if (IsLayerPickable(object->layer)) mark(object);
  }
}

// Toggles the marks in the active viewport, then redraws the markers in every view of the
// document with its own projection; the active viewport stays active.
template <class Mark>
void MarkInAllViews(Mark&& mark) {
  CViewport* active = GetActiveView();
  active->ApplyProjection();
  const Matrix4 transform = GetViewTransform();
  ForEachMarkCandidate([&](CGeomObject* object) { mark(object, transform, 1); });
  if (CUndoHistory* document = active->documentHistory) {
    while (CViewport* view = document->NextView()) {
      SetActiveView(view);
      view->ApplyProjection();
      const Matrix4 viewTransform = GetViewTransform();
      ForEachMarkCandidate([&](CGeomObject* object) { mark(object, viewTransform, 0); });
    }
  }
  SetActiveView(active);
  active->ApplyProjection();
}

}  // namespace

void CPickTool::ResetBox() { x0 = y0 = x1 = y1 = 0; }

bool CPickTool::WorksOnPoints(int flags) const {
  return !axisLinesOnly_ && ((flags & kMouseShift) != 0 || pointMode == 1);
}

void CPickTool::OnLButtonDown(int flags, int x, int y) {
  CViewport* active = GetActiveView();
  if (active == nullptr) return;
  if ((flags & kMouseControl) != 0) {
    windowMode = 0;
    lassoPoints.clear();
    lassoPoints.reserve(kLassoRoom);
    lassoPoints.push_back({static_cast<float>(x), static_cast<float>(y)});
    left = x;
    top = y;
    RefreshAllViews(1);
    lassoModelPoint = ModelPointAt(x, y);
    return;
  }
  x0 = x1 = x;
  y0 = y1 = y;
  left = active->x;
  top = active->y;
  right = active->x + active->width - 1;
  bottom = active->y + active->height - 1;
  active->Refresh(1);
  windowMode = 1;
}

void CPickTool::OnMouseMove(int flags, int x, int y) {
  CViewport* active = GetActiveView();
  if ((flags & kMouseLeftButton) == 0 || active == nullptr) return;
  if (windowMode != 0) {
    x = std::clamp(x, left, std::max(left, right));
    y = std::clamp(y, top, std::max(top, bottom));
    active->Refresh(0);
    x1 = x;
    y1 = y;
    active->Refresh(0);
    return;
  }
  if (std::abs(x - left) < 2 && std::abs(y - top) < 2) return;
  if (lassoPoints.size() == lassoPoints.capacity()) lassoPoints.reserve(lassoPoints.capacity() + kLassoRoom);
  lassoPoints.push_back({static_cast<float>(x), static_cast<float>(y)});
  left = x;
  top = y;
  const Vector3 point = ModelPointAt(x, y);
  const ColorRef previous = SetDrawColor(kLassoColor);
  BeginPolyline(kPolylineOpen);
  AddPolylineVertex(lassoModelPoint);
  AddPolylineVertex(point);
  SetDrawColor(previous);
  lassoModelPoint = point;
}

void CPickTool::DrawFeedback(int paneButtonBits) {
  if (windowMode == 1 && paneButtonBits == kMouseLeftButton) DrawTransformedRect(x0, y0, x1, y1);
}

void CPickTool::OnLButtonUp(int flags, int, int) {
  if (GetActiveView() == nullptr) return;
  if (windowMode == 0) {
    FinishLasso(flags);
  } else {
    FinishWindow(flags);
  }
}

void CPickTool::ToggleHits(int hits, bool lastOnly) {
  for (int i = lastOnly ? hits - 1 : 0; i < hits; ++i) {
    CGeomObject* hit = GetPickHit(i);
    RecordUndo(hit, kUndoChanged);
    hit->ObjectState = hit->ObjectState == 0 ? 1 : 0;
  }
}

void CPickTool::FinishLasso(int flags) {
  RefreshAllViews(0);
  BeginUndoStep();
  // Taken out of the tool: the picks below may draw, and the array goes in every case.
  const std::vector<ScreenPoint> points = std::move(lassoPoints);
  lassoPoints.clear();
  if (points.size() <= 1) return;
  if (WorksOnPoints(flags)) {
    float minX = points[0].x, minY = points[0].y, maxX = minX, maxY = minY;
    for (const ScreenPoint& p : points) {
      minX = std::min(minX, p.x);
      minY = std::min(minY, p.y);
      maxX = std::max(maxX, p.x);
      maxY = std::max(maxY, p.y);
    }
    x0 = static_cast<std::int32_t>(minX);
    y0 = static_cast<std::int32_t>(minY);
    x1 = static_cast<std::int32_t>(maxX);
    y1 = static_cast<std::int32_t>(maxY);
    MarkInAllViews([&](CGeomObject* object, const Matrix4& transform, int toggle) {
      PickPointsInLasso(object, points, minX, minY, maxX, maxY, transform, object->layer, toggle);
    });
    RefreshAllViews(2);
    RedrawAllViews();
    return;
  }
  GetActiveView()->ApplyProjection();
  BeginLassoPick(points);
  DrawPickableObjects(axisLinesOnly_ ? kKindAxisLine : 0);
  ToggleHits(EndPick(), false);
  RedrawAllViews();
}

void CPickTool::FinishWindow(int flags) {
  CViewport* active = GetActiveView();
  active->Refresh(0);
  const bool click = x0 == x1 && y0 == y1;
  if (!click) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    if (x0 == x1) {
      x0 -= 2;
      x1 += 2;
    } else if (y0 == y1) {
      y0 -= 2;
      y1 += 2;
    }
  }
  BeginUndoStep();
  if (WorksOnPoints(flags)) {
    x0 -= 2;
    y0 -= 2;
    x1 += 2;
    y1 += 2;
    MarkInAllViews([&](CGeomObject* object, const Matrix4& transform, int toggle) {
      PickPointsInWindow(object, x0, y0, x1, y1, transform, object->layer, toggle);
    });
    ResetBox();
    RefreshAllViews(2);
    return;
  }
  active->ApplyProjection();
  if (click) {
    SetPickPoint(x0, y0);
  } else {
    SetPickRect(x0, y0, x1, y1);
  }
  BeginPick();
  DrawPickableObjects(axisLinesOnly_ ? kKindAxisLine : 0);
  const int hits = EndPick();
  if (hits == 0) return;
  ToggleHits(hits, click);
  RedrawAllViews();
  if (!axisLinesOnly_) ShowPickedCount(CountPickedObjects());
  ResetBox();
}

void CPickTool::OnLButtonDblClk(int flags, int, int) {
  if ((flags & kMouseRightButton) == 0) return;
  ResetBox();
  BeginUndoStep();
  if ((flags & kMouseShift) != 0 || pointMode == 1) {
    CGeomObject* cursor = nullptr;
    while (CGeomObject* object = NextObject(cursor, 0, 0)) ClearPointSelection(object, 1);
    RedrawAllViews();
    RefreshAllViews(2);
    return;
  }
  DeselectAll(0);
  RedrawAllViews();
  ShowPickedCount(0);
}

void CPickTool::Undo() { UndoCommand(); }

void CPickTool::Redo() { RedoCommand(); }

void CTLinePickTool::OnLButtonDblClk(int flags, int, int) {
  if ((flags & kMouseRightButton) == 0) return;
  BeginUndoStep();
  DeselectAll(kKindAxisLine);
  RedrawAllViews();
}

void StartPickCVs() {
  StartPickVariant(kPickingCVsString, [] {
    auto* tool = new CPickTool();
    tool->pointMode = 1;
    return tool;
  });
}

void StartPickTLines() {
  StartPickVariant(kPickingTLinesString, [] { return new CTLinePickTool(); });
}

void ShowPickedCount(int count) {
  ShowToolPrompt(GetTool(0), GetLocalizedString(kPickingString) + " (" + std::to_string(count) + " " +
                                 GetLocalizedString(kPickedObjectsString) + ")");
}

int CountPickedObjects() {
  int count = 0;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, 1, 0)) {
    if (IsLayerPickable(object->layer)) ++count;
  }
  return count;
}

#include "modelling/axis_line_tool.h"

#include <cstdio>

#include "scene/pointer_snapping.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"
#include "services/ui_utilities.h"

namespace {

bool LeftHeld(int flags) { return (flags & kMouseLeftButton) != 0; }
bool RightHeld(int flags) { return (flags & kMouseRightButton) != 0; }

}  // namespace

void CAxisLineTool::OnLButtonDown(int flags, int x, int y) {
  if (RightHeld(flags)) return;
  Vector3 point;
  SnapDragPoint(&point, x, y, 1);
  RefreshAllViews(1);
}

void CAxisLineTool::OnMouseMove(int flags, int x, int y) {
  if (!LeftHeld(flags) || RightHeld(flags)) return;
  Vector3 point;
  const int axis = SnapDragPoint(&point, x, y, 0);
  if (axis < 0) return;
  lockedAxis = axis;
  RefreshAllViews(0);
  if (currentLine == nullptr) {
    currentLine = &line;
    line.axisIndex = axis;
  }
  currentLine->orientation.m[12] = point.x;
  currentLine->orientation.m[13] = point.y;
  currentLine->orientation.m[14] = point.z;
  RefreshAllViews(0);
  char text[64];
  std::snprintf(text, sizeof text, "    %c  %g", 'X' + currentLine->axisIndex,
                static_cast<double>(Coordinate(point, currentLine->axisIndex)));
  ShowStatusText(text);
}

void CAxisLineTool::OnLButtonUp(int, int, int) {
  if (currentLine == nullptr) return;
  BeginUndoStep();
  if (CGeomObject* copy = DuplicateObject(currentLine)) copy->ObjectState = kStateShown;
  currentLine = nullptr;
  RedrawAllViews();
}

void CAxisLineTool::OnRButtonDown(int flags, int, int) {
  if (!LeftHeld(flags) || currentLine == nullptr) return;
  RefreshAllViews(0);
  currentLine = nullptr;
}

void CAxisLineTool::OnRButtonUp(int flags, int x, int y) {
  if (!LeftHeld(flags)) return;
  Vector3 point;
  SnapDragPoint(&point, x, y, 1);
  RefreshAllViews(1);
}

void CAxisLineTool::DrawFeedback(int) {
  if (currentLine != nullptr) currentLine->Draw(1);
}

void CAxisLineTool::Undo() { UndoCommand(); }

void CAxisLineTool::Redo() { RedoCommand(); }

void DoAxisLine() {
  // A tool made without an active viewport would be installed nowhere.
  if (GetActiveView() != nullptr) new CAxisLineTool();
}

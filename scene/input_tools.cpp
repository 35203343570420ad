#include "scene/input_tools.h"

#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/static_tools.h"
#include "scene/tool_framework.h"
#include "scene/view_axis.h"
#include "scene/viewport.h"
#include "services/ui_utilities.h"

namespace {

void RefreshActiveView(int mode) {
  if (CViewport* active = GetActiveView()) active->Refresh(mode);
}

Vector3 AlongAxis(int axis, float length) {
  Vector3 v;
  Coordinate(v, axis) = length;
  return v;
}

void DrawLine(Vector3 a, Vector3 b) {
  BeginPolyline(kPolylineOpen);
  AddPolylineVertex(a);
  AddPolylineVertex(b);
  EndPolyline();
}

void DrawMarker(Vector3 p) {
  BeginPolyline(kPolylineMarkers);
  AddPolylineVertex(p);
}

// The line through p along a, reaching a to each side.
void DrawLineThrough(Vector3 p, Vector3 a) { DrawLine(VecSub(p, a), VecAdd(p, a)); }

}  // namespace

void CPointPickTool::OnLButtonDown(int, int x, int y) {
  SnapPointToGrid(&point, x, y);
  point = SnapToGrid(point, GetGridStep(1));
  RefreshAllViews(1);
}

void CPointPickTool::OnMouseMove(int flags, int x, int y) {
  if ((flags & kMouseLeftButton) == 0) return;
  RefreshActiveView(0);
  SnapPointToGrid(&point, x, y);
  point = SnapToGrid(point, GetGridStep(1));
  RefreshActiveView(0);
  ShowPointStatus(point.x, point.y, point.z);
}

void CPointPickTool::DrawFeedback(int) {
  const float reach = 2.0f / ScaleOfActiveView();
  DrawMarker(point);
  DrawLineThrough(point, AlongAxis(GetViewAxis(0), reach));
  DrawLineThrough(point, AlongAxis(GetViewAxis(1), reach));
}

void CPointPickTool::OnLButtonUp(int, int, int) {
  RefreshActiveView(0);
  SendCommand(command);
  TakeSecondaryTool();
  if (buffer != nullptr) {
    buffer[0] = Coordinate(point, GetViewAxis(0));
    buffer[1] = Coordinate(point, GetViewAxis(1));
    buffer[2] = 0.0f;
  }
}

void CVectorDragTool::OnLButtonDown(int, int x, int y) {
  button = 1;
  SnapDragPoint(&start, x, y, 1);
  start = SnapToGrid(start, GetGridStep(1));
  vector = Vector3();
  RefreshAllViews(1);
}

void CVectorDragTool::OnRButtonDown(int, int x, int y) {
  button = 2;
  planeAxis = GetViewAxis(2);
  start = Vector3();
  UnprojectToPlane(planeAxis, x, y, &start);
  start = SnapToGrid(start, GetGridStep(1));
  vector = Vector3();
  RefreshAllViews(1);
}

void CVectorDragTool::OnMouseMove(int flags, int x, int y) {
  if ((flags & (kMouseLeftButton | kMouseRightButton)) == 0) return;
  CViewport* active = GetActiveView();
  if (active == nullptr) return;
  active->Refresh(0);
  active->ApplyProjection();
  Vector3 end;
  if ((flags & kMouseLeftButton) != 0) {
    SnapDragPoint(&end, x, y, 0);
  } else {
    UnprojectToPlane(planeAxis, x, y, &end);
  }
  vector = SnapToGrid(VecSub(end, start), GetGridStep(1));
  active->Refresh(0);
  ShowPointStatus(vector.x, vector.y, vector.z);
}

void CVectorDragTool::DrawFeedback(int) {
  const Vector3 end = VecAdd(start, vector);
  DrawMarker(start);
  DrawMarker(end);
  DrawLine(start, end);
  if (want3D != 0) return;
  const int h = GetViewAxis(0);
  const int v = GetViewAxis(1);
  Vector3 across;
  Coordinate(across, h) = -100.0f * Coordinate(vector, v);
  Coordinate(across, v) = 100.0f * Coordinate(vector, h);
  DrawLineThrough(start, across);
  DrawLineThrough(end, across);
}

void CVectorDragTool::OnLButtonUp(int, int, int) { Finish(); }

void CVectorDragTool::OnRButtonUp(int, int, int) { Finish(); }

void CVectorDragTool::Finish() {
  RefreshAllViews(-2);
  SendCommand(command);
  TakeSecondaryTool();
  if (buffer == nullptr) return;
  if (want3D != 0) {
    buffer[0] = vector.x;
    buffer[1] = vector.y;
    buffer[2] = vector.z;
    return;
  }
  int sh = 1, sv = 1;
  const int h = GetViewAxis(0, &sh);
  const int v = GetViewAxis(1, &sv);
  buffer[0] = static_cast<float>(sh) * Coordinate(vector, h);
  buffer[1] = static_cast<float>(sv) * Coordinate(vector, v);
  buffer[2] = 0.0f;
}

void StartPointPick(float* buffer, int command) {
  CPointPickTool& tool = PointPickTool();
  tool.buffer = buffer;
  tool.command = command;
  TheScene.secondaryTool = &tool;
}

void StartVectorDrag(float* buffer, int command, int want3D) {
  CVectorDragTool& tool = VectorDragTool();
  tool.buffer = buffer;
  tool.command = command;
  tool.want3D = want3D;
  TheScene.secondaryTool = &tool;
}

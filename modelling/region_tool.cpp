#include "modelling/region_tool.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/view_axis.h"
#include "services/ui_utilities.h"

namespace {

// Which edge along an axis lies within reach of the coordinate: 0 the minimum, 1 the maximum.
int GrabEdge(float min, float max, float at, float reach) {
  if (std::fabs(min - at) < reach) return 0;
  if (std::fabs(max - at) < reach) return 1;
  return -1;
}

// The box's face at the given z as a closed polyline.
void DrawFace(const Vector3& min, const Vector3& max, float z) {
  BeginPolyline(kPolylineClosed);
  AddPolylineVertex({min.x, min.y, z});
  AddPolylineVertex({max.x, min.y, z});
  AddPolylineVertex({max.x, max.y, z});
  AddPolylineVertex({min.x, max.y, z});
  EndPolyline();
}

std::pair<float, float> Ordered(float a, float b) { return {std::min(a, b), std::max(a, b)}; }

}  // namespace

CRegionTool::CRegionTool(Vector3* min, Vector3* max, int command, int screenBox)
    : CTool(0), callerMin(min), callerMax(max), boxMin(*min), boxMax(*max), command(command), screenBox(screenBox) {
  screenH = GetViewAxis(0, &signH);
  screenV = GetViewAxis(1, &signV);
  if (screenBox != 0) {
    Coordinate(boxMin, screenH) = static_cast<float>(signH) * min->x;
    Coordinate(boxMax, screenH) = static_cast<float>(signH) * max->x;
    Coordinate(boxMin, screenV) = static_cast<float>(signV) * min->y;
    Coordinate(boxMax, screenV) = static_cast<float>(signV) * max->y;
  }
  RefreshAllViews(1);
}

CRegionTool::~CRegionTool() { RefreshAllViews(0); }

void CRegionTool::SnapPoint(int x, int y) {
  Coordinate(point, depth) = 0.0f;
  SnapPointToGrid(&point, x, y);
}

void CRegionTool::OnLButtonDown(int flags, int x, int y) {
  depth = GetViewAxis(2);
  h = (depth + 1) % 3;
  v = (depth + 2) % 3;
  SnapPoint(x, y);
  const float reach = GetGridStep(0);
  grabbedH = GrabEdge(Coordinate(boxMin, h), Coordinate(boxMax, h), Coordinate(point, h), reach);
  grabbedV = GrabEdge(Coordinate(boxMin, v), Coordinate(boxMax, v), Coordinate(point, v), reach);
  moveWholeBox = (flags & kMouseShift) != 0 ? 1 : 0;
}

void CRegionTool::OnMouseMove(int flags, int x, int y) {
  if ((flags & kMouseLeftButton) == 0 || (grabbedH < 0 && grabbedV < 0)) return;
  ApplyActiveViewProjection();
  RefreshAllViews(0);
  SnapPoint(x, y);
  for (const auto& [axis, grabbed] : {std::pair{h, grabbedH}, std::pair{v, grabbedV}}) {
    if (grabbed < 0) continue;
    float& edge = Coordinate(grabbed == 0 ? boxMin : boxMax, axis);
    float& other = Coordinate(grabbed == 0 ? boxMax : boxMin, axis);
    const float to = Coordinate(point, axis);
    if (moveWholeBox != 0) other += to - edge;
    edge = to;
  }
  RefreshAllViews(0);
  ShowGrabbedStatus();
}

void CRegionTool::ShowGrabbedStatus() const {
  char text[96];
  Vector3 at = point;
  if (grabbedH >= 0 && grabbedV >= 0) {
    const int first = std::min(h, v);
    const int second = std::max(h, v);
    std::snprintf(text, sizeof text, "        %c %.6g    %c %.6g", 'X' + first,
                  static_cast<double>(Coordinate(at, first)), 'X' + second, static_cast<double>(Coordinate(at, second)));
  } else {
    const int axis = grabbedH >= 0 ? h : v;
    std::snprintf(text, sizeof text, "     %c %.6g", 'X' + axis, static_cast<double>(Coordinate(at, axis)));
  }
  ShowStatusText(text);
}

void CRegionTool::OnLButtonUp(int, int, int) { grabbedH = grabbedV = -1; }

void CRegionTool::OnLButtonDblClk(int flags, int, int) {
  if ((flags & kMouseRightButton) == 0) return;
  GetBounds(&boxMin, &boxMax);
  if (screenBox != 0) {
    const auto [xMin, xMax] = Ordered(static_cast<float>(signH) * Coordinate(boxMin, screenH),
                                      static_cast<float>(signH) * Coordinate(boxMax, screenH));
    const auto [yMin, yMax] = Ordered(static_cast<float>(signV) * Coordinate(boxMin, screenV),
                                      static_cast<float>(signV) * Coordinate(boxMax, screenV));
    callerMin->x = xMin;
    callerMax->x = xMax;
    callerMin->y = yMin;
    callerMax->y = yMax;
  } else {
    *callerMin = boxMin;
    *callerMax = boxMax;
  }
  const int asking = command;
  // Posts the return to the pick tool, so the asking command runs after this tool has gone.
  TakeSecondaryTool();
  SendCommand(asking);
}

void CRegionTool::DrawFeedback(int) {
  DrawFace(boxMin, boxMax, boxMin.z);
  DrawFace(boxMin, boxMax, boxMax.z);
  for (const float x : {boxMin.x, boxMax.x}) {
    for (const float y : {boxMin.y, boxMax.y}) {
      BeginPolyline(kPolylineOpen);
      AddPolylineVertex({x, y, boxMin.z});
      AddPolylineVertex({x, y, boxMax.z});
      EndPolyline();
    }
  }
}

void CRegionTool::GetBounds(Vector3* min, Vector3* max) const {
  const Vector3 low = boxMin;
  const Vector3 high = boxMax;
  *min = {std::min(low.x, high.x), std::min(low.y, high.y), std::min(low.z, high.z)};
  *max = {std::max(low.x, high.x), std::max(low.y, high.y), std::max(low.z, high.z)};
}

void StartRegionTool(Vector3* min, Vector3* max, int command, int screenBox) {
  // A tool made without an active viewport would be installed nowhere.
  if (GetActiveView() != nullptr) new CRegionTool(min, max, command, screenBox);
}

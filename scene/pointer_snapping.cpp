#include "scene/pointer_snapping.h"

#include <cmath>
#include <cstdio>

#include "app/core/ui_utilities.h"
#include "scene/drawing_context.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"

namespace {

// One drag at a time: the press's point and the axis the drag keeps to.
Vector3 dragOrigin;
int lockedAxis = -1;

float SnapCoordinate(float value, double step) {
  return static_cast<float>(std::floor(value / step + 0.5) * step);
}

}  // namespace

Vector3 SnapToGrid(Vector3 v, double step) {
  return {SnapCoordinate(v.x, step), SnapCoordinate(v.y, step), SnapCoordinate(v.z, step)};
}

void ShowPointStatus(float x, float y, float z) {
  // The program runs with LC_NUMERIC "C", so the decimal point is always a point.
  char text[96];
  std::snprintf(text, sizeof text, "    X %8.4g    Y %8.4g    Z %8.4g", x, y, z);
  ShowStatusText(text);
}

float& Coordinate(Vector3& point, int axis) { return axis == 0 ? point.x : axis == 1 ? point.y : point.z; }

void SnapPointToGrid(Vector3* point, int x, int y) {
  const int d = GetViewAxis(2);
  UnprojectToPlane(d, x, y, point);
  const float depth = Coordinate(*point, d);
  *point = SnapToGrid(*point, GetGridStep(1));
  Coordinate(*point, d) = depth;
  ShowPointStatus(point->x, point->y, point->z);
}

int SnapDragPoint(Vector3* point, int x, int y, int start) {
  const int h = GetViewAxis(0);
  const int v = GetViewAxis(1);
  const int d = GetViewAxis(2);
  Coordinate(*point, d) = 0.0f;
  UnprojectToPlane(d, x, y, point);
  *point = SnapToGrid(*point, GetGridStep(1));
  if (start >= 1) {
    dragOrigin = *point;
    lockedAxis = -1;
    return -1;
  }
  if (lockedAxis >= 0) {
    const int kept = lockedAxis == v ? h : v;
    Coordinate(*point, kept) = Coordinate(dragOrigin, kept);
    return lockedAxis;
  }
  Vector3 delta = VecSub(*point, dragOrigin);
  const int axis = std::fabs(Coordinate(delta, v)) <= std::fabs(Coordinate(delta, h)) ? h : v;
  const int other = axis == h ? v : h;
  Coordinate(*point, other) = Coordinate(dragOrigin, other);
  // The lock threshold is in whole grid units, fine snapping or not.
  if (std::fabs(Coordinate(delta, axis)) < 2.0f * GetGridStep(0)) {
    lockedAxis = ~axis;
    return ~axis;
  }
  lockedAxis = axis;
  return axis;
}

void ResetPointerSnapping() {
  dragOrigin = Vector3();
  lockedAxis = -1;
}

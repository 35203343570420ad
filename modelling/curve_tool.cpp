#include "modelling/curve_tool.h"

#include "scene/drawing_context.h"
#include "scene/picking.h"
#include "scene/scene_views.h"

// TEMPORARY stand-ins until the drawing tool lands.
bool CurveToolActive() { return false; }

CCurveObject* CurveToolWorkingCurve() { return nullptr; }

int PickControlPoint(const Vector3* points, int count, int x, int y) {
  if (points == nullptr || count <= 0) return -1;
  ApplyActiveViewProjection();
  SetPickTolerance(5);
  SetPickPoint(x, y);
  for (int i = 0; i < count; ++i) {
    BeginPick();
    BeginPolyline(kPolylineMarkers);
    AddPolylineVertex(points[i]);
    if (EndPick() > 0) return i;
  }
  return -1;
}

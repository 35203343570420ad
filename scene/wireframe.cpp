#include "scene/wireframe.h"

#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/frame_point_budget.h"
#include "kernel/point_set_object.h"
#include "scene/draw_color_index.h"
#include "scene/drawing_context.h"

void DrawCurvePolyline(int steps, const Vector3* points, int count) {
  const std::vector<Vector3> curve = EvaluateCurvePoints(points, count, FrameSteps(steps, count));
  BeginPolyline(kPolylineOpen);
  for (const Vector3& p : curve) AddPolylineVertex(p);
}

void DrawMarkedPoints(const CPointSetObject& object) {
  const ColorRef previous = SetDrawColorIndex(1, 0);
  BeginPolyline(kPolylineMarkers);
  for (std::size_t i = 0; i < object.points.size(); ++i) {
    if (object.MarkAt(i) != 0) AddPolylineVertex(object.points[i]);
  }
  SetDrawColor(previous);
}

void DrawControlPointMarkers(const CPointSetObject& object) {
  BeginPolyline(kPolylineMarkers);
  for (const Vector3& p : object.points) AddPolylineVertex(p);
}

#include <cstdio>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "scene/drawing_context.h"
#include "scene/viewport.h"
#include "scene/wireframe.h"

namespace {

// One label per run of consecutive coincident points, at the run's first point: "4" alone,
// "4.5" for two, "4..6" for more.
void DrawIndexLabels(const std::vector<Vector3>& points) {
  const int n = static_cast<int>(points.size());
  for (int first = 0; first < n;) {
    int last = first;
    while (last + 1 < n && VectorsEqual(points[static_cast<std::size_t>(last + 1)],
                                        points[static_cast<std::size_t>(first)])) {
      ++last;
    }
    char text[32];
    if (last == first) {
      std::snprintf(text, sizeof text, "%d", first);
    } else if (last == first + 1) {
      std::snprintf(text, sizeof text, "%d.%d", first, last);
    } else {
      std::snprintf(text, sizeof text, "%d..%d", first, last);
    }
    DrawNumberLabel(points[static_cast<std::size_t>(first)], text);
    first = last + 1;
  }
}

}  // namespace

void DrawCurveWireframe(CCurveObject& curve, int mode) {
  const int n = curve.PointCount();
  if (n == 0) return;
  if (curve.stepsPerSpan > 1) {
    const std::vector<Vector3> extended =
        ExtendCurveEnds(n, curve.points.data(), curve.startAttribute, curve.endAttribute,
                        curve.closed);
    const int steps =
        mode == kDisplayQuickWire && curve.stepsPerSpan >= 4 ? curve.stepsPerSpan / 2
                                                             : curve.stepsPerSpan;
    DrawCurvePolyline(steps, extended.data(), static_cast<int>(extended.size()));
  } else {
    BeginPolyline(curve.closed != 0 ? kPolylineClosed : kPolylineOpen);
    for (const Vector3& p : curve.points) AddPolylineVertex(p);
    EndPolyline();
  }
  // Hidden control points still show in the feedback of modelling tools.
  if (mode == kDisplayQuickWire ||
      ((mode <= 0 || mode == kDisplayMeshWire) && curve.controlPointsHidden != 0))
    return;
  DrawControlPointMarkers(curve);
  DrawIndexLabels(curve.points);
  if (mode == kDisplayNormalWire || mode == kDisplayMeshWire) DrawMarkedPoints(curve);
}

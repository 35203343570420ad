#include <algorithm>
#include <cstdint>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/frame_point_budget.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "scene/drawing_context.h"
#include "scene/viewport.h"
#include "scene/wireframe.h"

namespace {

// The attributes and wire-frame step count of one direction of the control grid.
struct GridDirection {
  int start;
  int end;
  int closed;
  int steps;
};

// A row runs across the columns, which is the surface's V direction; a column runs across the
// rows, its U direction.
GridDirection AlongRow(const CSurfaceObject& s) {
  return {s.startAttributeV, s.endAttributeV, s.closedV, s.displayStepsV};
}
GridDirection AlongColumn(const CSurfaceObject& s) {
  return {s.startAttributeU, s.endAttributeU, s.closedU, s.displayStepsU};
}

// Where point 0 of a sequence lies in the sequence that ExtendCurveEnds makes of it.
int ExtendedOffset(const GridDirection& d) { return d.closed != 0 || d.start == 0 ? 1 : 0; }

// The n points from first at stride, or with smooth their points on the knot lines: the surface
// points there, (previous + 4 point + next) / 6 over the extended sequence.
std::vector<Vector3> KnotPoints(const Vector3* first, int n, int stride, const GridDirection& d,
                                bool smooth) {
  std::vector<Vector3> out;
  if (!smooth) {
    for (int i = 0; i < n; ++i) out.push_back(first[static_cast<std::ptrdiff_t>(i) * stride]);
    return out;
  }
  const std::vector<Vector3> e = ExtendCurveEnds(n, first, d.start, d.end, d.closed, stride);
  for (std::size_t k = 1; k + 1 < e.size(); ++k) out.push_back(KnotPoint(e[k - 1], e[k], e[k + 1]));
  return out;
}

// Point i of a sequence moved onto its knot line; i must have neighbours in the sequence.
Vector3 KnotPointAt(const Vector3* first, int n, int stride, const GridDirection& d, int i) {
  const std::vector<Vector3> e = ExtendCurveEnds(n, first, d.start, d.end, d.closed, stride);
  const std::size_t k = static_cast<std::size_t>(ExtendedOffset(d) + i);
  return KnotPoint(e[k - 1], e[k], e[k + 1]);
}

void DrawSequence(const std::vector<Vector3>& sequence, const GridDirection& d, int steps) {
  const std::vector<Vector3> e =
      ExtendCurveEnds(static_cast<int>(sequence.size()), sequence.data(), d.start, d.end, d.closed);
  DrawCurvePolyline(steps, e.data(), static_cast<int>(e.size()));
}

}  // namespace

void DrawSurfaceWireframe(CSurfaceObject& surface, int mode) {
  const int r = surface.rows, c = surface.columns;
  if (r < 1 || c < 1 || std::int64_t{r} * c > static_cast<std::int64_t>(surface.points.size()))
    return;
  const Vector3* grid = surface.points.data();
  const GridDirection alongRow = AlongRow(surface);
  const GridDirection alongColumn = AlongColumn(surface);

  if (mode == kDisplayQuickWire) {
    // Quick: the middle row and the middle column only, at half their steps.
    if (r > 2) {
      const int middle = r / 2;
      std::vector<Vector3> row(grid + static_cast<std::ptrdiff_t>(middle) * c,
                               grid + static_cast<std::ptrdiff_t>(middle + 1) * c);
      if (alongColumn.steps >= 1) {
        for (int j = 0; j < c; ++j)
          row[static_cast<std::size_t>(j)] = KnotPointAt(grid + j, r, c, alongColumn, middle);
      }
      DrawSequence(row, alongRow, (alongRow.steps + 1) / 2);
    }
    if (c > 2) {
      const int middle = c / 2;
      std::vector<Vector3> column;
      for (int i = 0; i < r; ++i)
        column.push_back(grid[static_cast<std::ptrdiff_t>(i) * c + middle]);
      if (alongRow.steps >= 1) {
        for (int i = 0; i < r; ++i) {
          column[static_cast<std::size_t>(i)] =
              KnotPointAt(grid + static_cast<std::ptrdiff_t>(i) * c, c, 1, alongRow, middle);
        }
      }
      DrawSequence(column, alongColumn, (alongColumn.steps + 1) / 2);
    }
    return;
  }

  if (mode > 0) {
    // The full tessellation grid, rows then columns.
    std::vector<Vector3> extended, net;
    int nu = 0, nv = 0, outRows = 0, outColumns = 0;
    ExtendSurfaceNet(grid, r, c, surface.startAttributeU, surface.endAttributeU, surface.closedU,
                     surface.startAttributeV, surface.endAttributeV, surface.closedV, &extended, &nu,
                     &nv);
    int stepsU = surface.displayStepsU, stepsV = surface.displayStepsV;
    FrameGridSteps(&stepsU, nu, &stepsV, nv, kMaxDrawnGridSide);
    TessellateSurface(kBSplineBasis, extended.data(), nu, nv, &net, nullptr, nullptr, &outRows,
                      &outColumns, stepsU, stepsV, 0);
    if (static_cast<std::int64_t>(outRows) * outColumns > static_cast<std::int64_t>(net.size()))
      return;
    for (int i = 0; i < outRows; ++i) {
      BeginPolyline(kPolylineOpen);
      for (int j = 0; j < outColumns; ++j)
        AddPolylineVertex(net[static_cast<std::size_t>(i) * outColumns + j]);
    }
    for (int j = 0; j < outColumns; ++j) {
      BeginPolyline(kPolylineOpen);
      for (int i = 0; i < outRows; ++i)
        AddPolylineVertex(net[static_cast<std::size_t>(i) * outColumns + j]);
    }
    return;
  }

  // Iso-curves through the knots, with fewer steps the smaller the surface is on screen.
  Vector3 low, high;
  surface.GetBounds(&low, &high, GetViewTransform());
  const float size = std::min(high.x - low.x, high.y - low.y);
  const int n = size < 16.0f ? 4 : size < 32.0f ? 3 : size < 64.0f ? 2 : 1;
  const int rowSteps = (alongRow.steps + n) / (n + 1);
  const int columnSteps = (alongColumn.steps + n) / (n + 1);
  const GridDirection rowDrawn = {alongRow.start, alongRow.end, alongRow.closed, rowSteps};
  const GridDirection columnDrawn = {alongColumn.start, alongColumn.end, alongColumn.closed,
                                     columnSteps};

  // Every row onto its knots; the points of all rows at one knot make an iso-curve along the
  // columns.
  std::vector<std::vector<Vector3>> rowKnots;
  for (int i = 0; i < r; ++i)
    rowKnots.push_back(
        KnotPoints(grid + static_cast<std::ptrdiff_t>(i) * c, c, 1, alongRow, rowSteps > 0));
  for (std::size_t k = 0; k < rowKnots[0].size(); ++k) {
    std::vector<Vector3> isoCurve;
    for (const std::vector<Vector3>& knots : rowKnots) isoCurve.push_back(knots[k]);
    DrawSequence(isoCurve, columnDrawn, columnSteps);
  }
  // And the same with the roles exchanged.
  std::vector<std::vector<Vector3>> columnKnots;
  for (int j = 0; j < c; ++j)
    columnKnots.push_back(KnotPoints(grid + j, r, c, alongColumn, columnSteps > 0));
  for (std::size_t k = 0; k < columnKnots[0].size(); ++k) {
    std::vector<Vector3> isoCurve;
    for (const std::vector<Vector3>& knots : columnKnots) isoCurve.push_back(knots[k]);
    DrawSequence(isoCurve, rowDrawn, rowSteps);
  }

  if (surface.controlPointsHidden != 0) return;
  DrawControlPointMarkers(surface);
  if (mode == kDisplayNormalWire) DrawMarkedPoints(surface);
}

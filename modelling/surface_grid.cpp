#include "modelling/surface_grid.h"

#include <cmath>
#include <utility>
#include <cstddef>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/surface_object.h"
#include "scene/pointer_snapping.h"
#include "scene/undo_history.h"

namespace {

float Triple(Vector3 a, Vector3 b, Vector3 c) { return VecDot(a, VecCross(b, c)); }

}  // namespace

// Summed in float in the order below, and scaled by 1/6 only at the end: the sign of a surface
// is stored in design files, so it must come out the same on every build.
float ComputeGridVolume(const Vector3* points, int rows, int columns, int closedU, int closedV) {
  if (rows < 1 || columns < 1) return 0.0f;
  const auto P = [points, columns](int row, int column) {
    return points[static_cast<std::ptrdiff_t>(row) * columns + column];
  };
  const int lastRow = closedU != 0 ? rows - 1 : rows - 2;
  const int lastColumn = closedV != 0 ? columns - 1 : columns - 2;
  float sum = 0.0f;
  for (int j = 0; j <= lastRow; ++j) {
    const int jn = (j + 1) % rows;
    for (int i = 0; i <= lastColumn; ++i) {
      const int in = (i + 1) % columns;
      sum += Triple(VecSub(P(j, i), P(jn, in)), P(jn, i), P(j, in));
    }
  }
  if (closedU != 0 && closedV == 0) {
    const int c = columns - 1;
    for (int k = 2; k < rows; ++k) {
      sum -= Triple(P(0, 0), P(k - 1, 0), P(k, 0));
      sum += Triple(P(0, c), P(k - 1, c), P(k, c));
    }
  } else if (closedU == 0 && closedV != 0) {
    const int r = rows - 1;
    for (int k = 2; k < columns; ++k) {
      sum += Triple(P(0, 0), P(0, k - 1), P(0, k));
      sum -= Triple(P(r, 0), P(r, k - 1), P(r, k));
    }
  }
  return sum * (1.0f / 6.0f);
}

Vector3 ComputePolygonNormal(int n, const Vector3* points) {
  Vector3 sum{0, 0, 0};
  for (int i = 0; i < n; ++i) sum = VecAdd(sum, VecCross(points[i], points[(i + 1) % n]));
  return sum;
}

Vector3 ComputeGridCentroid(const Vector3* points, int n, int a, int b) {
  if (n < 1) return {0, 0, 0};
  Vector3 p0 = points[0];
  Vector3 accumulated{0, 0, 0};
  float weights = 0.0f;
  for (int k = 1; k + 1 < n; ++k) {
    Vector3 d1 = VecSub(points[k], p0);
    Vector3 d2 = VecSub(points[k + 1], p0);
    const float weight = Coordinate(d1, a) * Coordinate(d2, b) - Coordinate(d1, b) * Coordinate(d2, a);
    accumulated = VecAdd(accumulated, VecScale(VecAdd(d1, d2), weight));
    weights += weight;
  }
  if (std::fabs(weights) > 0.001f) return VecAdd(p0, VecScale(accumulated, 1.0f / (weights * 3.0f)));
  Vector3 average{0, 0, 0};
  for (int k = 0; k < n; ++k) average = VecAdd(average, points[k]);
  return VecScale(average, 1.0f / static_cast<float>(n));
}

void SetupGridFromCurve(const CCurveObject& curve, CSurfaceObject& surface, int n) {
  surface.rows = n;
  surface.columns = curve.PointCount();
  surface.SetPoints(n * surface.columns);
  surface.startAttributeV = curve.startAttribute;
  surface.endAttributeV = curve.endAttribute;
  surface.closedV = curve.closed;
  surface.displayStepsV = curve.stepsPerSpan;
}

void SetupLoftGrid(const CCurveObject& u, const CCurveObject& v, CSurfaceObject& surface) {
  surface.rows = u.PointCount();
  surface.columns = v.PointCount();
  surface.SetPoints(surface.rows * surface.columns);
  surface.startAttributeU = u.startAttribute;
  surface.endAttributeU = u.endAttribute;
  surface.closedU = u.closed;
  surface.displayStepsU = u.stepsPerSpan;
  surface.startAttributeV = v.startAttribute;
  surface.endAttributeV = v.endAttribute;
  surface.closedV = v.closed;
  surface.displayStepsV = v.stepsPerSpan;
}

void ApplyOrientationRule(CSurfaceObject& surface) {
  const float volume =
      ComputeGridVolume(surface.points.data(), surface.rows, surface.columns, surface.closedU, surface.closedV);
  surface.orientationSign = volume >= 0.0f ? 1 : -1;
}

void RemoveSourceObject(CGeomObject* object) {
  RecordUndo(object, kUndoChanged);
  object->ObjectState = kStateRemoved;
}

int DominantAxis(Vector3 normal) {
  const float ax = std::fabs(normal.x), ay = std::fabs(normal.y), az = std::fabs(normal.z);
  const int winner = ax > ay ? 0 : 1;
  return az >= (winner == 0 ? ax : ay) ? 2 : winner;
}

std::array<int, 3> SectionAxes(int normalAxis, int swapped) {
  std::array<int, 3> axes{(normalAxis + 1) % 3, (normalAxis + 2) % 3, normalAxis};
  // x, then the later axis: (y, z), (x, z), (x, y).
  if (axes[0] > axes[1]) std::swap(axes[0], axes[1]);
  if (swapped != 0) std::swap(axes[0], axes[1]);
  return axes;
}

Vector3 ReadInFrame(Vector3 point, const std::array<int, 3>& axes) {
  return {Coordinate(point, axes[0]), Coordinate(point, axes[1]), Coordinate(point, axes[2])};
}

bool SameCurveLayout(const CCurveObject& a, const CCurveObject& b) {
  return a.PointCount() == b.PointCount() && a.closed == b.closed && a.startAttribute == b.startAttribute &&
         a.endAttribute == b.endAttribute;
}

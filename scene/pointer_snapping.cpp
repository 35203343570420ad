#include "scene/pointer_snapping.h"

#include <cmath>
#include <cstdio>

#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"
#include "scene/viewport.h"
#include "services/ui_utilities.h"

namespace {

// One drag at a time: the press's point and the axis the drag keeps to.
Vector3 dragOrigin;
int lockedAxis = -1;

constexpr double kSurfaceRounding = 0.001;

// The depth a sample holds where nothing was drawn. A sample at or below it is background,
// whatever the zoom: the far value lies 50 x extent / zoom model units behind the view's
// centre, so a fixed model-space cut would misjudge it.
float EmptyDepth() {
  const DepthRaster* raster = DrawingViewDepthRaster();
  if (raster != nullptr && raster->width > 0 && raster->height > 0) return raster->emptyDepth;
  const CViewport* active = GetActiveView();
  return EmptyDepthOfPane(active != nullptr ? active->height : 0);
}

// A depth sample (column, row, depth) as a model point, rounded; background gets depth 0.
Vector3 SurfacePoint(const float* sample, const Matrix4& inverse, float emptyDepth) {
  Vector3 point = SnapToGrid(TransformPoint({sample[0], sample[1], sample[2]}, inverse), kSurfaceRounding);
  if (sample[2] <= emptyDepth) Coordinate(point, GetViewAxis(2)) = 0.0f;
  return point;
}

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

void UnprojectPoint(Vector3* point, int x, int y) {
  float sample[3];
  SampleViewDepthGrid(sample, 0, 1, x, y);
  *point = SurfacePoint(sample, GetInverseViewTransform(), EmptyDepth());
  ShowPointStatus(point->x, point->y, point->z);
}

void PickPointInView(Matrix4* frame, int x, int y) {
  if (CViewport* active = GetActiveView()) active->ApplyProjection();
  // Row by row from the top left: s1 above the centre, s3 left, s4 the centre, s5 right, s7 below.
  float samples[27];
  SampleViewDepthGrid(samples, 1, 5, x, y);
  const Matrix4 inverse = GetInverseViewTransform();
  const float emptyDepth = EmptyDepth();
  const auto at = [&](int i) {
    return TransformPoint({samples[3 * i], samples[3 * i + 1], samples[3 * i + 2]}, inverse);
  };
  const auto onSurface = [&](int i) { return samples[3 * i + 2] > emptyDepth; };
  // A direction across the surface from the samples on it only: the two either side, else one
  // of them and the centre. Near an edge the background would tilt the normal off the surface.
  const auto across = [&](int ahead, int behind, Vector3* direction) {
    if (!onSurface(4)) return false;
    const int from = onSurface(behind) ? behind : 4;
    const int to = onSurface(ahead) ? ahead : 4;
    if (from == to) return false;
    *direction = VecSub(at(to), at(from));
    return true;
  };
  Vector3 a, b;
  if (!across(1, 7, &a) || !across(5, 3, &b)) {
    // Too few samples on the surface: the frame keeps the view's own directions.
    const float* c = &samples[12];
    a = VecSub(TransformPoint({c[0], c[1] - 5.0f, c[2]}, inverse), TransformPoint({c[0], c[1], c[2]}, inverse));
    b = VecSub(TransformPoint({c[0] + 5.0f, c[1], c[2]}, inverse), TransformPoint({c[0], c[1], c[2]}, inverse));
  }
  Vector3 n = VecCross(b, a);
  a = Normalize(a);
  n = Normalize(n);
  const Vector3 t = VecCross(a, n);
  const Vector3 point = SurfacePoint(&samples[12], inverse, emptyDepth);
  const Vector3 rows[4] = {t, a, n, point};
  *frame = Matrix4();
  for (int r = 0; r < 4; ++r) {
    frame->at(r, 0) = rows[r].x;
    frame->at(r, 1) = rows[r].y;
    frame->at(r, 2) = rows[r].z;
  }
  frame->at(3, 3) = 1.0f;
  ShowPointStatus(point.x, point.y, point.z);
}

void ResetPointerSnapping() {
  dragOrigin = Vector3();
  lockedAxis = -1;
}

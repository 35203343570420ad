#include <algorithm>
#include <cmath>

#include "kernel/int_pow.h"
#include "scene/drawing_context.h"
#include "scene/viewport.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

bool ValidAxis(int axis) { return axis >= 0 && axis <= 2; }

// view := view x R, R turning the screen axes i = axis + 1 and j = axis + 2 (mod 3).
void TurnView(Matrix4* view, double radians, int axis) {
  if (!ValidAxis(axis)) return;
  const int i = (axis + 1) % 3, j = (axis + 2) % 3;
  const float c = static_cast<float>(std::cos(radians));
  const float s = static_cast<float>(std::sin(radians));
  Matrix4 r = kIdentityMatrix;
  r.at(i, i) = r.at(j, j) = c;
  r.at(i, j) = s;
  r.at(j, i) = -s;
  MatMultiplyAssign(view, r);
}

}  // namespace

float NiceGridStep(float zoom) {
  // Zero, negative and NaN zooms have no grid; +infinity takes the finest step.
  if (!(zoom > 0.0f)) return 0.0f;
  if (std::isinf(zoom)) return 0.001f;
  double a = 0.2 / zoom;
  int n = 0;
  while (a < 1.0) a *= 10.0, --n;
  while (a >= 10.0) a *= 0.1, ++n;
  const double c = std::floor(a * 100.0 + 0.5) * 0.01;
  const double d = c <= 1.0 ? 1.0 : c <= 5.0 ? 5.0 : 10.0;
  return static_cast<float>(std::clamp(d * IntPow(10.0, n), 0.001, 10.0));
}

void CViewport::Zoom(float factor) {
  // A zoom of 0 could never be left, and its grid unit of 0 is a divisor later on.
  if (!std::isfinite(factor) || factor <= 0.0f) return;
  // The limits hold before the step, so one step may overshoot them.
  if ((zoomScale < 0.001f && factor < 1.0f) || (zoomScale > 1000.0f && factor > 1.0f)) return;
  const float product = zoomScale * factor;
  if (!std::isfinite(product) || product <= 0.0f) return;
  zoomScale = product;
  gridUnit = NiceGridStep(zoomScale);
}

void CViewport::Translate(float dx, float dy, float dz) {
  viewMatrix[12] += dx / zoomScale;
  viewMatrix[13] += dy / zoomScale;
  viewMatrix[14] += dz / zoomScale;
}

void CViewport::RotateAboutAxis(int axis, double degrees) {
  TurnView(&viewMatrix, degrees * kRadiansPerDegree, axis);
}

void CViewport::Rotate(float radians, int axis) { TurnView(&viewMatrix, radians, axis); }

void CViewport::SetAxes(int axisX, int axisY, int axisZ, int signX, int signY, int signZ) {
  viewMatrix = Matrix4();
  viewMatrix[15] = 1.0f;
  if (ValidAxis(axisX)) viewMatrix.at(axisX, 0) = static_cast<float>(signX);
  if (ValidAxis(axisY)) viewMatrix.at(axisY, 1) = static_cast<float>(signY);
  if (ValidAxis(axisZ)) viewMatrix.at(axisZ, 2) = static_cast<float>(signZ);
}

void ZoomToScreenBox(CViewport* viewport, int screenX, int screenY, int halfWidth, int halfHeight) {
  (void)halfHeight;  // the box keeps the pane's proportions; its width decides
  const int centreX = viewport->x + viewport->width / 2;
  const int centreY = viewport->y + viewport->height / 2;
  SetModelMatrix(kIdentityMatrix);
  const Matrix4 inverse = GetInverseViewTransform();
  const float zoom = viewport->zoomScale;
  viewport->Translate(static_cast<float>(centreX - screenX) * zoom * inverse[0],
                      static_cast<float>(centreY - screenY) * zoom * inverse[5], 0.0f);
  // In floating point: an integer quotient would truncate, and a box wider than the pane would
  // zoom to 0.
  viewport->Zoom(static_cast<float>(viewport->width / 2) / static_cast<float>(halfWidth));
  RedrawView(viewport);
}

void ZoomToExtents(CViewport* viewport, Vector3 min, Vector3 max) {
  const bool finite = std::isfinite(min.x) && std::isfinite(min.y) && std::isfinite(min.z) &&
                      std::isfinite(max.x) && std::isfinite(max.y) && std::isfinite(max.z);
  // A box that is not finite counts as empty.
  const Vector3 centre = finite ? VecScale(VecAdd(min, max), 0.5f) : Vector3();
  float v = finite ? std::max({max.x - centre.x, max.y - centre.y, max.z - centre.z}) : 0.0f;
  const float fitExtent = viewport->viewExtent;
  if (v < 0.001f) v = fitExtent;
  viewport->zoomScale = 1.0f / (v / fitExtent);
  viewport->Zoom(1.0f);
  viewport->viewMatrix[12] = viewport->viewMatrix[13] = viewport->viewMatrix[14] = 0.0f;
  const Vector3 shift = TransformPoint(VecScale(centre, -1.0f), viewport->viewMatrix);
  viewport->viewMatrix[12] = shift.x;
  viewport->viewMatrix[13] = shift.y;
  viewport->viewMatrix[14] = shift.z;
  RedrawView(viewport);
}

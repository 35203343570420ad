#include "scene/pointer_snapping.h"

#include <cmath>
#include <cstdio>

#include "app/core/ui_utilities.h"

namespace {

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

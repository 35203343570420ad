#include "scene/view_axis.h"

#include <cmath>

#include "kernel/matrix4.h"
#include "scene/scene_views.h"

int GetViewAxis(int which, int* sign) {
  const Matrix4 m = GetActiveViewMatrix();
  // Ties go to z over x, and to the earlier choice over y.
  const int depthCandidate = std::fabs(m.at(0, 2)) > std::fabs(m.at(2, 2)) ? 0 : 2;
  const int depth = std::fabs(m.at(1, 2)) > std::fabs(m.at(depthCandidate, 2)) ? 1 : depthCandidate;
  int axis = depth;
  if (which != 2) {
    const int a = (depth + 1) % 3;
    const int b = (depth + 2) % 3;
    const int horizontal = std::fabs(m.at(b, 0)) > std::fabs(m.at(a, 0)) ? b : a;
    axis = which == 0 ? horizontal : 3 - depth - horizontal;
  }
  if (sign != nullptr) *sign = m.at(axis, which) > 0 ? 1 : -1;
  return axis;
}

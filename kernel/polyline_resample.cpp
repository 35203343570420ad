#include "kernel/polyline_resample.h"

#include <cmath>

namespace {

float Distance(Vector3 a, Vector3 b) {
  const Vector3 d = VecSub(b, a);
  return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

}  // namespace

void ResamplePolyline(const Vector3* points, Vector3* out, int n, int m) {
  if (m < 1 || n < 1) return;
  float length = 0.0f;
  for (int i = 0; i + 1 < n; ++i) length += Distance(points[i], points[i + 1]);
  const float spacing = m > 1 ? length / static_cast<float>(m - 1) : 0.0f;
  // Nothing to walk (one slot, zero length, or a length that is not a number): the first point
  // in every slot.
  if (!(spacing > 0.0f)) {
    for (int k = 0; k < m; ++k) out[k] = points[0];
    return;
  }

  // Slots that rounding keeps the walk from reaching hold the end point.
  out[0] = points[0];
  for (int k = 1; k < m; ++k) out[k] = points[n - 1];
  int slot = 1;
  float remainder = 0.0f;
  for (int i = 0; i + 1 < n && slot < m; ++i) {
    const float c = Distance(points[i], points[i + 1]);
    remainder += c;
    // The slot bound ends the walk too, so a spacing too small to wear the remainder down
    // cannot keep it going.
    while (remainder >= spacing && slot < m) {
      remainder -= spacing;
      // The point at distance c - remainder from points[i].
      out[slot++] = VecDivide(
          VecAdd(VecScale(points[i], remainder), VecScale(points[i + 1], c - remainder)), c);
    }
  }
}

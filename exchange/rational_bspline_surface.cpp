#include "exchange/rational_bspline_surface.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Beyond the degrees any CAD program writes; it also bounds the work of one evaluation.
constexpr int kMaxDegree = 25;

bool KnotsUsable(const std::vector<double>& knots, int count, int degree) {
  if (degree < 1 || degree > kMaxDegree || count <= degree ||
      knots.size() != static_cast<std::size_t>(count) + static_cast<std::size_t>(degree) + 1) {
    return false;
  }
  for (std::size_t i = 0; i < knots.size(); ++i) {
    if (!std::isfinite(knots[i]) || (i > 0 && knots[i] < knots[i - 1])) return false;
  }
  return knots[static_cast<std::size_t>(degree)] < knots[static_cast<std::size_t>(count)];
}

// The range clamped into the knots that carry a whole basis; the whole of them when the file's
// range is unusable or empty there.
void ClampRange(const std::vector<double>& knots, int count, int degree, double* low, double* high) {
  const double first = knots[static_cast<std::size_t>(degree)];
  const double last = knots[static_cast<std::size_t>(count)];
  const double a = std::isfinite(*low) ? std::clamp(*low, first, last) : first;
  const double b = std::isfinite(*high) ? std::clamp(*high, first, last) : last;
  if (a < b) {
    *low = a;
    *high = b;
  } else {
    *low = first;
    *high = last;
  }
}

// The knot span holding t, among those of non-zero length: degree <= span < count.
int FindSpan(const std::vector<double>& knots, int count, int degree, double t) {
  if (t >= knots[static_cast<std::size_t>(count)]) {
    int span = count - 1;
    while (knots[static_cast<std::size_t>(span)] >= knots[static_cast<std::size_t>(span) + 1]) --span;
    return span;
  }
  // The last knot at or below t: t >= knots[degree] always, as t was clamped into the range.
  const auto above = std::upper_bound(knots.begin() + degree, knots.begin() + count, t);
  return std::max(degree, static_cast<int>(above - knots.begin()) - 1);
}

// The degree + 1 basis functions that do not vanish in the span, by the triangular recurrence.
void Basis(const std::vector<double>& knots, int span, int degree, double t, double* n) {
  double left[kMaxDegree + 1];
  double right[kMaxDegree + 1];
  n[0] = 1;
  for (int j = 1; j <= degree; ++j) {
    left[j] = t - knots[static_cast<std::size_t>(span + 1 - j)];
    right[j] = knots[static_cast<std::size_t>(span + j)] - t;
    double saved = 0;
    for (int r = 0; r < j; ++r) {
      const double term = n[r] / (right[r + 1] + left[j - r]);
      n[r] = saved + right[r + 1] * term;
      saved = left[j - r] * term;
    }
    n[j] = saved;
  }
}

}  // namespace

bool RationalBSplineSurface::MakeUsable() {
  const std::size_t total = static_cast<std::size_t>(countU) * static_cast<std::size_t>(countV);
  if (!KnotsUsable(knotsU, countU, degreeU) || !KnotsUsable(knotsV, countV, degreeV) || weights.size() != total ||
      points.size() != total) {
    return false;
  }
  for (const double w : weights) {
    if (!(w > 0) || !std::isfinite(w)) return false;
  }
  ClampRange(knotsU, countU, degreeU, &u0, &u1);
  ClampRange(knotsV, countV, degreeV, &v0, &v1);
  return true;
}

Point3d RationalBSplineSurface::Evaluate(double u, double v) const {
  u = std::clamp(u, u0, u1);
  v = std::clamp(v, v0, v1);
  const int spanU = FindSpan(knotsU, countU, degreeU, u);
  const int spanV = FindSpan(knotsV, countV, degreeV, v);
  double nu[kMaxDegree + 1];
  double nv[kMaxDegree + 1];
  Basis(knotsU, spanU, degreeU, u, nu);
  Basis(knotsV, spanV, degreeV, v, nv);
  double x = 0, y = 0, z = 0, w = 0;
  for (int b = 0; b <= degreeV; ++b) {
    const std::size_t row = static_cast<std::size_t>(spanV - degreeV + b) * static_cast<std::size_t>(countU);
    for (int a = 0; a <= degreeU; ++a) {
      const std::size_t k = row + static_cast<std::size_t>(spanU - degreeU + a);
      const double f = nu[a] * nv[b] * weights[k];
      x += f * points[k].x;
      y += f * points[k].y;
      z += f * points[k].z;
      w += f;
    }
  }
  return {x / w, y / w, z / w};
}

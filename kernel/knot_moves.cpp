#include "kernel/knot_moves.h"

#include <cstddef>
#include <vector>

namespace {

// Gauss-Seidel sweeps: knot rows (1, 4, 1) / 6 are diagonally dominant, and the end pairs below
// take a third of an error on; every sweep leaves well under half of it, so this many leave it
// far below float rounding.
constexpr int kSweeps = 80;

struct DoublePoint {
  double x = 0.0, y = 0.0, z = 0.0;
  DoublePoint operator-(const DoublePoint& o) const { return {x - o.x, y - o.y, z - o.z}; }
  DoublePoint operator*(double s) const { return {x * s, y * s, z * s}; }
};

int FirstKnot(int closed, int startAttribute) { return closed != 0 || startAttribute == 0 ? 0 : 1; }

int LastKnot(int n, int closed, int endAttribute) { return closed != 0 || endAttribute == 0 ? n - 1 : n - 2; }

}  // namespace

int PassingPointIndex(int i, int n, int closed, int startAttribute, int endAttribute) {
  const int first = FirstKnot(closed, startAttribute);
  const int last = LastKnot(n, closed, endAttribute);
  if (i < first) return 1;
  if (i > last) return 2 * (last - first) - 1;
  return 2 * (i - first);
}

void PassingPointsToControlPoints(Vector3* values, int n, int stride, int closed, int startAttribute, int endAttribute) {
  const int first = FirstKnot(closed, startAttribute);
  const int last = LastKnot(n, closed, endAttribute);
  if (n < 2 || last < first || (closed != 0 && n < 3)) return;
  const auto at = [&](int i) -> Vector3& { return values[static_cast<std::ptrdiff_t>(i) * stride]; };
  std::vector<DoublePoint> given(static_cast<std::size_t>(n)), x(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const Vector3 v = at(i);
    given[static_cast<std::size_t>(i)] = x[static_cast<std::size_t>(i)] = {v.x, v.y, v.z};
  }
  const auto index = [&](int i) { return static_cast<std::size_t>(closed != 0 ? (i + n) % n : i); };
  const auto X = [&](int i) -> DoublePoint& { return x[index(i)]; };
  const auto G = [&](int i) -> const DoublePoint& { return given[index(i)]; };
  // An end that is no knot and the first knot beside it, from the knot's row and the middle of
  // the span (P[e] + 23 P[k] + 23 P[k+d] + P[k+2d]) / 48, with k the knot and d the way inward.
  const auto endPair = [&](int end, int knot, int d) {
    X(knot) = (G(end) * 48.0 - G(knot) * 6.0 - X(knot + d) * 22.0 - X(knot + 2 * d)) * (1.0 / 19.0);
    X(end) = G(knot) * 6.0 - X(knot) * 4.0 - X(knot + d);
  };
  // With fewer points than a pair needs, the end keeps its second difference instead.
  const bool startPair = closed == 0 && first == 1 && last >= 2 && n >= 4;
  const bool endPairs = closed == 0 && last == n - 2 && first <= n - 3 && n >= 4;
  const int from = closed != 0 ? 0 : first + 1;
  const int to = closed != 0 ? n - 1 : last - 1;
  for (int sweep = 0; sweep < kSweeps; ++sweep) {
    if (startPair) endPair(0, 1, 1);
    for (int i = from; i <= to; ++i) X(i) = (G(i) * 6.0 - X(i - 1) - X(i + 1)) * 0.25;
    if (endPairs) endPair(n - 1, n - 2, -1);
  }
  if (closed == 0 && first == 1 && !startPair) X(0) = last >= 2 ? X(1) * 2.0 - X(2) : X(1);
  if (closed == 0 && last == n - 2 && !endPairs) X(n - 1) = first <= n - 3 ? X(n - 2) * 2.0 - X(n - 3) : X(n - 2);
  for (int i = 0; i < n; ++i) {
    const DoublePoint& m = x[static_cast<std::size_t>(i)];
    at(i) = {static_cast<float>(m.x), static_cast<float>(m.y), static_cast<float>(m.z)};
  }
}

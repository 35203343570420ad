#include "kernel/outline_rings.h"
#include "kernel/polygon_triangulation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

float SignedArea(std::span<const Vector3> ring, Vector3 axis) {
  Vector3 sum{0.0f, 0.0f, 0.0f};
  for (std::size_t i = 0; i < ring.size(); ++i) sum = VecAdd(sum, VecCross(ring[i], ring[(i + 1) % ring.size()]));
  return VecDot(sum, axis);
}

bool RingSurrounds(std::span<const Vector3> ring, Vector3 point, Vector3 axis) {
  // Two directions across the axis: the crossing count in that plane.
  const Vector3 helper = std::fabs(axis.x) < 0.5f ? Vector3{1.0f, 0.0f, 0.0f} : Vector3{0.0f, 1.0f, 0.0f};
  const Vector3 u = VecCross(axis, helper);
  const Vector3 v = VecCross(axis, u);
  const float pu = VecDot(point, u), pv = VecDot(point, v);
  bool inside = false;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const float au = VecDot(ring[i], u), av = VecDot(ring[i], v);
    const float bu = VecDot(ring[j], u), bv = VecDot(ring[j], v);
    if ((av > pv) != (bv > pv) && pu < (bu - au) * (pv - av) / (bv - av) + au) inside = !inside;
  }
  return inside;
}

std::vector<bool> OrientNestedRings(std::vector<std::vector<Vector3>>& rings, Vector3 axis, bool* outerTurn) {
  const std::size_t count = rings.size();
  const auto usable = [&](std::size_t i) { return rings[i].size() >= 3; };
  std::vector<bool> odd(count, false), turns(count, false), flipped(count, false);
  for (std::size_t p = 0; p < count; ++p) {
    if (!usable(p)) continue;
    turns[p] = SignedArea(rings[p], axis) > 0.0f;
    for (std::size_t q = 0; q < count; ++q) {
      if (q != p && usable(q) && RingSurrounds(rings[q], rings[p][0], axis)) odd[p] = !odd[p];
    }
  }
  const auto first = std::find_if(rings.begin(), rings.end(), [](const auto& ring) { return ring.size() >= 3; });
  const std::size_t f = static_cast<std::size_t>(first - rings.begin());
  *outerTurn = f < count && turns[f] != odd[f];
  for (std::size_t p = 0; p < count; ++p) {
    flipped[p] = usable(p) && turns[p] != (*outerTurn != odd[p]);
    if (flipped[p]) std::reverse(rings[p].begin(), rings[p].end());
  }
  return flipped;
}

void StartAtSharpestTurn(std::vector<Vector3>* ring, Vector3 axis) {
  const std::size_t n = ring->size();
  if (n < 3) return;
  std::size_t best = 0;
  float most = -1.0f;
  for (std::size_t i = 0; i < n; ++i) {
    const Vector3 p0 = (*ring)[i], p1 = (*ring)[(i + 1) % n], p2 = (*ring)[(i + 2) % n];
    const float turn = std::fabs(VecDot(VecCross(VecSub(p1, p0), VecSub(p1, p2)), axis));
    if (turn > most) most = turn, best = i;
  }
  std::rotate(ring->begin(), ring->begin() + static_cast<std::ptrdiff_t>(best), ring->end());
}

std::vector<Vector3> TriangulateOutlines(std::vector<std::vector<Vector3>> outlines, Vector3 normal,
                                         LevelCorners level) {
  std::vector<Vector3> corners;
  bool outerTurn = false;
  OrientNestedRings(outlines, normal, &outerTurn);
  std::vector<int> sizes;
  std::vector<const Vector3*> rings;
  for (std::vector<Vector3>& outline : outlines) {
    if (outline.empty()) continue;
    if (rings.empty()) StartAtSharpestTurn(&outline, normal);
    sizes.push_back(static_cast<int>(outline.size()));
    rings.push_back(outline.data());
  }
  if (rings.empty()) return corners;
  TriangulatePolygons(static_cast<int>(rings.size()), sizes.data(), rings.data(),
                      [&](Vector3 tip, Vector3 next, Vector3 previous) {
                        corners.insert(corners.end(), {tip, next, previous});
                      },
                      level);
  return corners;
}

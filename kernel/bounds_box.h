#pragma once

#include <algorithm>

#include "kernel/vector3.h"

// Bounds start inverted (min above max), so the first box or point folded in sets them.
inline void ResetBounds(Vector3* min, Vector3* max) {
  *min = {1e30f, 1e30f, 1e30f};
  *max = {-1e30f, -1e30f, -1e30f};
}

// Widens min and max to take in the box [low, high].
inline void WidenBounds(Vector3* min, Vector3* max, Vector3 low, Vector3 high) {
  *min = {std::min(min->x, low.x), std::min(min->y, low.y), std::min(min->z, low.z)};
  *max = {std::max(max->x, high.x), std::max(max->y, high.y), std::max(max->z, high.z)};
}

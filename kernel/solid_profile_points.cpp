#include "kernel/solid_profile_points.h"

#include <cstddef>

#include "kernel/section_placement.h"

std::vector<Vector3> BuildSolidProfilePoints(const Vector3* points, int n, int closed,
                                             float distance, const Matrix4& reference) {
  std::vector<Vector3> moved(n > 0 ? static_cast<std::size_t>(n) : 0, Vector3(0, distance, 0));
  SweepReferenceMatrix = reference;
  PlaceSectionsAlongPathWithReference(1, n, closed, moved.data(), points);
  return moved;
}

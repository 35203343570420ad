#include "kernel/solid_profile_points.h"

#include <cstddef>
#include <mutex>

#include "kernel/section_placement.h"

namespace {

// The placement reads its frame from the program-wide SweepReferenceMatrix, and objects are
// tessellated on several threads at once, so one profile is moved at a time.
std::mutex referenceMutex;

}  // namespace

std::vector<Vector3> BuildSolidProfilePoints(const Vector3* points, int n, int closed,
                                             float distance, const Matrix4& reference) {
  std::vector<Vector3> moved(n > 0 ? static_cast<std::size_t>(n) : 0, Vector3(0, distance, 0));
  const std::lock_guard lock(referenceMutex);
  SweepReferenceMatrix = reference;
  PlaceSectionsAlongPathWithReference(1, n, closed, moved.data(), points);
  return moved;
}

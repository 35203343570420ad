#include "modelling/mapping_frame.h"

#include <algorithm>
#include <cmath>

#include "kernel/geom_object.h"
#include "kernel/point_set_object.h"

namespace {

bool IsFinite(const Vector3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Bounds pass over a NaN point, so imported points are looked at themselves.
bool HasBadPoint(const CGeomObject* object) {
  const auto* pointSet = dynamic_cast<const CPointSetObject*>(object);
  return pointSet != nullptr && !std::all_of(pointSet->points.begin(), pointSet->points.end(), IsFinite);
}

}  // namespace

void FitMappingFrameToBounds(CGeomObject* object) {
  object->mappingKind = 1;
  object->mappingFrame = kIdentityMatrix;
  if (HasBadPoint(object)) return;
  Vector3 min{1e30f, 1e30f, 1e30f};
  Vector3 max{-1e30f, -1e30f, -1e30f};
  object->GetBounds(&min, &max, kIdentityMatrix);
  // An object without points leaves the bounds at their starting values, which would scale the
  // frame by -1e30.
  if (!(min.x <= max.x && min.y <= max.y) || !IsFinite(min) || !IsFinite(max)) return;
  object->mappingFrame.m[0] = 0.5f * (max.x - min.x);
  object->mappingFrame.m[5] = 0.5f * (max.y - min.y);
  object->mappingFrame.m[12] = 0.5f * (max.x + min.x);
  object->mappingFrame.m[13] = 0.5f * (max.y + min.y);
}

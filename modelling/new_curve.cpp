#include "modelling/new_curve.h"

#include <memory>
#include <utility>

#include "kernel/curve_object.h"
#include "scene/scene.h"

CCurveObject* AddNewCurve(std::vector<Vector3> points, int closed) {
  auto curve = std::make_unique<CCurveObject>();
  const int count = static_cast<int>(points.size());
  curve->SetPoints(count, std::move(points));
  curve->closed = closed;
  // Without an active viewport the curve comes back in the handle and goes with it.
  return AddObject(curve, 1);
}

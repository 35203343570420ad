#pragma once

#include <cstdint>

#include "kernel/point_set_object.h"

// A uniform cubic B-spline curve over its control points: the profile, path and section of most
// modelling commands and the outline child of blocks.
class CCurveObject : public CPointSetObject {
 public:
  CCurveObject() = default;

  int GetKind() const override { return kKindCurve; }
  // The wire frame (scene/curve_wireframe.cpp).
  void Draw(int mode) override;
  std::unique_ptr<CGeomObject> Clone() const override;
  // A record without points reads as kStateBadRecord.
  void Read() override;
  void Write() override;
  void Swap(CGeomObject& other) override;

  // 0: the curve reaches that end point; non-zero: it starts (ends) inside the control polygon.
  std::int32_t startAttribute = 0;
  std::int32_t endAttribute = 0;
  // Non-zero: the control polygon wraps around and the end attributes are unused.
  std::int32_t closed = 0;
  // Kept as read from a record, however large: the sampling caps what it hands out.
  std::int32_t stepsPerSpan = 8;
  // Copied by Clone but never stored in a record.
  std::int32_t spareWord = 0;
};

#pragma once

#include <cstdint>

#include "kernel/geom_object.h"

// A construction plane on which one world coordinate is fixed: the same coordinate of the
// orientation frame's origin. Views that do not look along that axis show it as a long line.
class CAxisLineObject : public CGeomObject {
 public:
  int GetKind() const override { return kKindAxisLine; }
  // The line across the active view, along the axis that is neither the line's own nor the
  // view's depth; nothing when the view looks along the line's axis. The mode is not used.
  void Draw(int mode) override;
  std::unique_ptr<CGeomObject> Clone() const override;
  // An axis index outside 0-2 reads as kStateBadRecord.
  void Read() override;
  void Write() override;
  // The plane, 10000 each way along the other two axes; M is not applied.
  void GetBounds(Vector3* min, Vector3* max, Matrix4 M) const override;
  void Swap(CGeomObject& other) override;

  // 0, 1 or 2: the world axis x, y or z whose coordinate is fixed.
  std::int32_t axisIndex = 0;

  // Half the length the line is drawn and bounded with.
  static constexpr float kHalfLength = 10000.0f;

  bool HasValidAxis() const { return axisIndex >= 0 && axisIndex <= 2; }
  // The fixed coordinate.
  float FixedValue() const { return orientation[12 + axisIndex]; }
};

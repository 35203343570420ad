#include "kernel/axis_line_object.h"

#include <typeinfo>
#include <utility>

#include "kernel/bounds_box.h"
#include "kernel/object_stream.h"

namespace {

float& Coordinate(Vector3* v, int axis) { return axis == 0 ? v->x : axis == 1 ? v->y : v->z; }

}  // namespace

std::unique_ptr<CGeomObject> CAxisLineObject::Clone() const {
  auto copy = std::make_unique<CAxisLineObject>();
  CGeomObject_CopyCommonFields(copy.get(), this);
  copy->axisIndex = axisIndex;
  return copy;
}

void CAxisLineObject::Read() {
  ReadCommonRecord();
  axisIndex = ReadObjectInt32();
  if (ObjectStreamFailed() || !HasValidAxis()) ObjectState = kStateBadRecord;
}

void CAxisLineObject::Write() {
  WriteCommonRecord();
  WriteObjectInt32(axisIndex);
}

void CAxisLineObject::GetBounds(Vector3* min, Vector3* max, Matrix4) const {
  // A line with a bad axis (only a bad record has one) has the empty box.
  if (!HasValidAxis()) {
    ResetBounds(min, max);
    return;
  }
  *min = {-kHalfLength, -kHalfLength, -kHalfLength};
  *max = {kHalfLength, kHalfLength, kHalfLength};
  Coordinate(min, axisIndex) = Coordinate(max, axisIndex) = FixedValue();
}

void CAxisLineObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  auto& line = static_cast<CAxisLineObject&>(other);
  SwapCommonFields(line);
  std::swap(axisIndex, line.axisIndex);
}

#include "kernel/curve_object.h"

#include <typeinfo>
#include <utility>

#include "kernel/object_stream.h"

std::unique_ptr<CGeomObject> CCurveObject::Clone() const {
  auto copy = std::make_unique<CCurveObject>();
  CopyPointSetFields(copy.get());
  copy->startAttribute = startAttribute;
  copy->endAttribute = endAttribute;
  copy->closed = closed;
  copy->stepsPerSpan = stepsPerSpan;
  copy->spareWord = spareWord;
  return copy;
}

void CCurveObject::Read() {
  ReadPointSetRecord();
  startAttribute = ReadObjectInt32();
  endAttribute = ReadObjectInt32();
  closed = ReadObjectInt32();
  stepsPerSpan = ReadObjectInt32();
  controlPointsHidden = ReadObjectInt16();
  if (PointCount() <= 0 || ObjectStreamFailed()) ObjectState = kStateBadRecord;
}

void CCurveObject::Write() {
  WritePointSetRecord();
  WriteObjectInt32(startAttribute);
  WriteObjectInt32(endAttribute);
  WriteObjectInt32(closed);
  WriteObjectInt32(stepsPerSpan);
  WriteObjectInt16(static_cast<std::int16_t>(controlPointsHidden));
}

void CCurveObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  auto& curve = static_cast<CCurveObject&>(other);
  SwapPointSetFields(curve);
  std::swap(startAttribute, curve.startAttribute);
  std::swap(endAttribute, curve.endAttribute);
  std::swap(closed, curve.closed);
  std::swap(stepsPerSpan, curve.stepsPerSpan);
  std::swap(spareWord, curve.spareWord);
}

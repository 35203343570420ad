#include "kernel/composite_object.h"

#include <typeinfo>
#include <utility>

#include "kernel/object_stream.h"

void CCompositeObject::Transform(Matrix4 M, int whole) {
  if (whole == 0) return;
  CGeomObject::Transform(M, whole);
  MatMultiplyAssign(&placement, M);
}

std::unique_ptr<CGeomObject> CCompositeObject::Clone() const {
  auto copy = std::make_unique<CCompositeObject>();
  CopyCompositeFields(copy.get());
  return copy;
}

void CCompositeObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  SwapCompositeFields(static_cast<CCompositeObject&>(other));
}

void CCompositeObject::Read() { ReadCompositeRecord(); }

void CCompositeObject::Write() { WriteCompositeRecord(); }

void CCompositeObject::ReadCompositeRecord() {
  ReadCommonRecord();
  ReadObjectMatrix(&placement);
  if (ObjectStreamFailed()) ObjectState = kStateBadRecord;
}

void CCompositeObject::WriteCompositeRecord() {
  WriteCommonRecord();
  WriteObjectMatrix(placement);
}

void CCompositeObject::SwapCompositeFields(CCompositeObject& other) {
  SwapCommonFields(other);
  std::swap(placement, other.placement);
  std::swap(kindWord, other.kindWord);
}

void CCompositeObject::CopyCompositeFields(CCompositeObject* target) const {
  CGeomObject_CopyCommonFields(target, this);
  target->placement = placement;
  target->kindWord = kindWord;
}

std::unique_ptr<CGeomObject> CFramedObject::Clone() const {
  auto copy = std::make_unique<CFramedObject>();
  CopyCompositeFields(copy.get());
  copy->firstCopy = firstCopy;
  return copy;
}

void CFramedObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  auto& framed = static_cast<CFramedObject&>(other);
  SwapCompositeFields(framed);
  std::swap(firstCopy, framed.firstCopy);
}

#include "kernel/geom_object.h"

#include <cmath>
#include <typeinfo>
#include <utility>

#include "kernel/name_pool.h"
#include "kernel/object_stream.h"
#include "platform/text_encoding.h"

namespace {
std::uint64_t drawingGeneration = 0;
}  // namespace

std::uint64_t DrawingGeneration() { return drawingGeneration; }

void MarkDrawingsStale() { ++drawingGeneration; }

CGeomObject::CGeomObject() = default;

void CGeomObject::MarkChanged() {
  ++changeCount_;
  drawingCache.reset();
}

// Point sets move their picked points with whole = 0, so the change counts either way.
void CGeomObject::Transform(Matrix4 M, int whole) {
  MarkChanged();
  if (whole == 0) return;
  MatMultiplyAssign(&mappingFrame, M);
  const Vector3 origin = TransformPoint({orientation[12], orientation[13], orientation[14]}, M);

  // The orientation frame keeps unit axes whatever the scale of M; a collapsed axis falls back to
  // its own unit axis so the frame never degenerates.
  Matrix4 unit = M;
  for (int row = 0; row < 3; ++row) {
    Vector3 axis{unit.at(row, 0), unit.at(row, 1), unit.at(row, 2)};
    const float length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    if (length < 0.00001f) {
      axis = {row == 0 ? 1.0f : 0.0f, row == 1 ? 1.0f : 0.0f, row == 2 ? 1.0f : 0.0f};
    } else {
      axis = VecScale(axis, 1.0f / length);
    }
    unit.at(row, 0) = axis.x;
    unit.at(row, 1) = axis.y;
    unit.at(row, 2) = axis.z;
  }
  MatMultiplyAssign(&orientation, unit);
  orientation[12] = origin.x;
  orientation[13] = origin.y;
  orientation[14] = origin.z;
}

std::unique_ptr<CGeomObject> CGeomObject::Clone() const {
  auto copy = std::make_unique<CGeomObject>();
  CGeomObject_CopyCommonFields(copy.get(), this);
  return copy;
}

void CGeomObject::Read() { ReadCommonRecord(); }

void CGeomObject::Write() { WriteCommonRecord(); }

void CGeomObject::GetBounds(Vector3*, Vector3*, Matrix4) const {}

void CGeomObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  SwapCommonFields(other);
}

void CGeomObject::SwapCommonFields(CGeomObject& other) {
  MarkChanged();
  other.MarkChanged();
  std::swap(ObjectState, other.ObjectState);
  std::swap(flags, other.flags);
  std::swap(jewel, other.jewel);
  std::swap(subtractor, other.subtractor);
  std::swap(id, other.id);
  std::swap(orientation, other.orientation);
  std::swap(mappingKind, other.mappingKind);
  std::swap(mappingFrame, other.mappingFrame);
  std::swap(materialName, other.materialName);
  std::swap(layer, other.layer);
}

void CGeomObject::WriteCommonRecord() {
  WriteObjectInt32(GetKind());
  // State in the low half, layer in the high half; packed unsigned so a negative layer is not
  // shifted as a signed value.
  const std::uint32_t stateAndLayer = (static_cast<std::uint32_t>(ObjectState) & 0xFFFF) |
                                      (static_cast<std::uint32_t>(layer) << 16);
  WriteObjectInt32(static_cast<std::int32_t>(stateAndLayer));
  WriteObjectMatrix(orientation);

  std::uint32_t word = static_cast<std::uint32_t>(mappingKind) & kRecordMappingKindMask;
  if (flags & kFlagNoDeform) word |= kRecordNoDeform;
  if (jewel != 0) word |= kRecordJewel;
  if (subtractor != 0) word |= kRecordSubtractor;
  word |= (static_cast<std::uint32_t>(flags) & kFlagScratchMask) << 8;
  WriteObjectInt32(static_cast<std::int32_t>(word));

  WriteObjectMatrix(mappingFrame);
  WriteCountedString(materialName != nullptr
                         ? Utf8ToCp1252Limited(*materialName, kMaxMaterialNameBytes)
                         : std::string());
}

void CGeomObject::ReadCommonRecord() {
  MarkChanged();
  const auto stateAndLayer = static_cast<std::uint32_t>(ReadObjectInt32());
  ObjectState = static_cast<std::int32_t>(stateAndLayer & 0xFFFF);
  layer = static_cast<std::int16_t>(stateAndLayer >> 16);
  ReadObjectMatrix(&orientation);

  const auto word = static_cast<std::uint32_t>(ReadObjectInt32());
  mappingKind = static_cast<std::int32_t>(word & kRecordMappingKindMask);
  flags = ((word & kRecordNoDeform) ? kFlagNoDeform : 0) |
          static_cast<std::int32_t>((word >> 8) & static_cast<std::uint32_t>(kFlagScratchMask));
  jewel = (word & kRecordJewel) ? 1 : 0;
  subtractor = (word & kRecordSubtractor) ? 1 : 0;

  ReadObjectMatrix(&mappingFrame);
  // The whole stored name is consumed so the stream stays in step; only its head is kept.
  const std::optional<std::string> name = ReadCountedString();
  materialName = name ? PoolName(Cp1252ToUtf8(std::string_view(*name).substr(0, kMaxMaterialNameBytes)))
                      : nullptr;
  if (ObjectStreamFailed()) ObjectState = kStateBadRecord;
}

void CGeomObject_CopyCommonFields(CGeomObject* target, const CGeomObject* source) {
  target->next = source->next;
  target->ObjectState = source->ObjectState;
  target->flags = source->flags;
  target->jewel = source->jewel;
  target->subtractor = source->subtractor;
  target->id = source->id;
  target->orientation = source->orientation;
  target->mappingKind = source->mappingKind;
  target->mappingFrame = source->mappingFrame;
  target->materialName = source->materialName;
  target->layer = source->layer;
}

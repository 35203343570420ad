#include "kernel/boolean_object.h"

#include <typeinfo>
#include <utility>

#include "kernel/bounds_box.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"

int FirstChildBoundsOnly = 0;

namespace {

constexpr char kMemberMarker = ':';
constexpr char kEndMarker = '%';
constexpr unsigned char kEndByte = 0xFF;

// A shown body is stored with its state lowered by this, so that its 16-bit form has bit 15 set.
constexpr std::int32_t kBodyStateOffset = 99;
constexpr std::int32_t kStoredNegativeBit = 0x8000;

void WriteMarker(char marker) { WriteObjectBytes(&marker, 1); }

}  // namespace

bool CBooleanObject::AllMembersCount() const {
  return Operation() != kBooleanSubtraction || subtractBody != 0;
}

void CBooleanObject::Transform(Matrix4 M, int whole) {
  CCompositeObject::Transform(M, whole);
  if (whole != 0) {
    for (CGeomObject* member = members.head(); member != nullptr; member = member->next) {
      member->Transform(M, whole);
    }
    return;
  }
  for (CGeomObject* member = members.head(); member != nullptr; member = member->next) {
    if (IsShownOrSelected(*member)) member->Transform(M, 0);
    if (!AllMembersCount()) break;
  }
}

void CBooleanObject::Draw(int mode) {
  for (CGeomObject* member = members.head(); member != nullptr; member = member->next) {
    if (IsShownOrSelected(*member)) member->Draw(mode);
    if (!AllMembersCount()) break;
  }
}

std::unique_ptr<CGeomObject> CBooleanObject::Clone() const {
  auto copy = std::make_unique<CBooleanObject>();
  CopyCompositeFields(copy.get());
  copy->subtractBody = subtractBody;
  members.CloneInto(&copy->members);
  return copy;
}

void CBooleanObject::GetBounds(Vector3* min, Vector3* max, Matrix4 M) const {
  ResetBounds(min, max);
  const bool widenPastBody =
      Operation() != kBooleanSubtraction || (subtractBody == 1 && FirstChildBoundsOnly == 0);
  for (const CGeomObject* member = members.head(); member != nullptr; member = member->next) {
    if (IsShownOrSelected(*member)) {
      Vector3 low, high;
      member->GetBounds(&low, &high, M);
      WidenBounds(min, max, low, high);
    }
    if (!widenPastBody) break;
  }
}

void CBooleanObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  auto& group = static_cast<CBooleanObject&>(other);
  SwapCompositeFields(group);
  members.swap(group.members);
  std::swap(subtractBody, group.subtractBody);
  std::swap(savedLink, group.savedLink);
  std::swap(savedLastMember, group.savedLastMember);
}

void CBooleanObject::Write() {
  WriteCompositeRecord();
  WriteObjectInt16(static_cast<std::int16_t>(Operation()));

  // A body whose subtractors count is marked by a lowered state; its layer is 0 in the file
  // and stays 0.
  CGeomObject* body = members.head();
  const bool markBody = body != nullptr && Operation() == kBooleanSubtraction && subtractBody == 1;
  if (markBody) {
    body->ObjectState -= kBodyStateOffset;
    body->layer = 0;
  }
  for (CGeomObject* member = members.head(); member != nullptr; member = member->next) {
    if (!HasObjectRecord(*member)) continue;
    WriteMarker(kMemberMarker);
    member->Write();
  }
  WriteMarker(kEndMarker);
  if (markBody) body->ObjectState += kBodyStateOffset;
}

void CBooleanObject::Read() {
  ReadCompositeRecord();
  SetOperation(static_cast<std::uint16_t>(ReadObjectInt16()));
  const bool subtraction = Operation() == kBooleanSubtraction;

  // States are read zero-extended, so a marked body arrives with a positive state and is kept
  // like any member. A body whose record failed cannot stand in for it: the group then has no
  // body and keeps nothing, but reads on to its end marker to stay in step.
  bool bodyFailed = false;
  // Each pass consumes at least one byte; the end of the input ends the list as the end marker
  // does, and a failed stream has no bytes left.
  while (ObjectStreamBytesLeft() > 0) {
    unsigned char marker = 0;
    ReadObjectBytes(&marker, 1);
    if (marker == static_cast<unsigned char>(kEndMarker) || marker == kEndByte) break;
    if (marker != static_cast<unsigned char>(kMemberMarker)) continue;
    std::unique_ptr<CGeomObject> member = ReadObject();
    if (member == nullptr || bodyFailed) continue;
    if (member->ObjectState >= 0) {
      members.Append(std::move(member));
    } else if (subtraction && members.empty() && member->ObjectState == kStateBadRecord) {
      bodyFailed = true;
    }
  }

  CGeomObject* body = members.head();
  if (body == nullptr) {
    ObjectState = kStateBadRecord;
    return;
  }
  subtractBody = 0;
  if (subtraction && (body->ObjectState & kStoredNegativeBit) != 0) {
    subtractBody = 1;
    body->ObjectState = static_cast<std::int16_t>(body->ObjectState) + kBodyStateOffset;
    body->layer = 0;
  }
}

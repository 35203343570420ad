#pragma once

#include <cstdint>

#include "kernel/composite_object.h"
#include "kernel/object_chain.h"

// Operation codes of a group, kept in the low byte of the kind word.
inline constexpr int kBooleanUnion = 2;
inline constexpr int kBooleanIntersection = 3;
// The first member is the body; the others are cut from it.
inline constexpr int kBooleanSubtraction = 4;
// A code of this or more marks a group the scene holds dissolved; its members then live in the
// scene list, not in the group.
inline constexpr int kBooleanDissolvedCode = 10;

// While 1, a subtraction whose subtractors count reports the bounds of its body only. The volume
// and weight estimate sets it around its walk over the bounds; 0 otherwise.
extern int FirstChildBoundsOnly;

// Members of a Boolean operation. They are stored in world coordinates: the placement is carried
// along but used neither in drawing nor in bounds.
class CBooleanObject : public CCompositeObject {
 public:
  void Transform(Matrix4 M, int whole) override;
  int GetKind() const override { return kKindBoolean; }
  void Draw(int mode) override;
  std::unique_ptr<CGeomObject> Clone() const override;
  // Reads any record, hostile ones included: the member list ends at its end marker or at the
  // end of the input, and nesting is bounded by ReadObject.
  void Read() override;
  void Write() override;
  void GetBounds(Vector3* min, Vector3* max, Matrix4 M) const override;
  void Swap(CGeomObject& other) override;

  int Operation() const { return static_cast<int>(kindWord & 0xFF); }
  void SetOperation(int code) {
    kindWord = static_cast<std::uint32_t>(code) & 0xFF;
    MarkChanged();
  }

  // The group owns whatever this list holds, whatever its operation code.
  ObjectChain members;
  // Only for a subtraction: 1 = every member counts in drawing, transforming and bounds; 0 =
  // only the body does.
  std::int32_t subtractBody = 0;
  // While the scene holds the group dissolved: the list link its members were stored into and
  // the last of them, so that re-forming takes back exactly the members. Not owned.
  CGeomObject** savedLink = nullptr;
  CGeomObject* savedLastMember = nullptr;

 private:
  // Whether members after the first count in drawing and transforming.
  bool AllMembersCount() const;
};

#pragma once

#include <cstdint>

#include "kernel/geom_object.h"

// An object whose contents (children, a library prototype) are placed by a matrix of its own.
class CCompositeObject : public CGeomObject {
 public:
  int GetCategory() const override { return 2; }
  void Transform(Matrix4 M, int whole) override;
  std::unique_ptr<CGeomObject> Clone() const override;
  void Read() override;
  void Write() override;
  void Swap(CGeomObject& other) override;

  Matrix4 placement = kIdentityMatrix;
  // Its use belongs to the subclass: a group's operation, a gem's library index.
  std::uint32_t kindWord = 0;

 protected:
  void ReadCompositeRecord();
  void WriteCompositeRecord();
  void SwapCompositeFields(CCompositeObject& other);
  void CopyCompositeFields(CCompositeObject* target) const;
};

// A composite of kind 0 with no geometry. The copy commands keep one for the run as the carrier
// of their placement, so it takes part in undo like any object; it is never read from a record.
class CFramedObject : public CCompositeObject {
 public:
  std::unique_ptr<CGeomObject> Clone() const override;
  void Swap(CGeomObject& other) override;

  // The copy tool's placed copies: the first of them (not owned; the copies of one placement
  // follow it in the list) and, in kindWord, how many there are. A pointer does not fit the
  // 32-bit kind word, so it has a field of its own.
  CGeomObject* firstCopy = nullptr;
};

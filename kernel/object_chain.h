#pragma once

#include <memory>

#include "kernel/geom_object.h"

// A list of objects linked through their next fields that owns them: a group's members, a
// block's generated children. Members are deleted one after another, never through a chain of
// owning links, so a long list costs no stack.
class ObjectChain {
 public:
  ObjectChain() = default;
  ~ObjectChain() { Clear(); }
  ObjectChain(const ObjectChain&) = delete;
  ObjectChain& operator=(const ObjectChain&) = delete;

  CGeomObject* head() const { return head_; }
  bool empty() const { return head_ == nullptr; }

  // Takes the object and links it at the end.
  void Append(std::unique_ptr<CGeomObject> object);
  // Deletes every member, in list order.
  void Clear();
  // A clone of every member, in the same order.
  void CloneInto(ObjectChain* target) const;
  void swap(ObjectChain& other) noexcept;
  // Gives the members up without deleting them: returns the first (null when empty) and stores
  // the last in *last. The chain is empty afterwards.
  CGeomObject* Release(CGeomObject** last);
  // Takes the chain from first to last as its members; the chain must be empty before.
  void Adopt(CGeomObject* first, CGeomObject* last);

 private:
  CGeomObject* head_ = nullptr;
  CGeomObject* tail_ = nullptr;
};

#include "kernel/object_chain.h"

#include <utility>

void ObjectChain::Append(std::unique_ptr<CGeomObject> object) {
  CGeomObject* member = object.release();
  member->next = nullptr;
  if (tail_ != nullptr) {
    tail_->next = member;
  } else {
    head_ = member;
  }
  tail_ = member;
}

void ObjectChain::Clear() {
  CGeomObject* member = head_;
  head_ = tail_ = nullptr;
  while (member != nullptr) {
    CGeomObject* following = member->next;
    delete member;
    member = following;
  }
}

void ObjectChain::CloneInto(ObjectChain* target) const {
  for (const CGeomObject* member = head_; member != nullptr; member = member->next) {
    target->Append(member->Clone());
  }
}

void ObjectChain::swap(ObjectChain& other) noexcept {
  std::swap(head_, other.head_);
  std::swap(tail_, other.tail_);
}

CGeomObject* ObjectChain::Release(CGeomObject** last) {
  CGeomObject* first = head_;
  *last = tail_;
  head_ = tail_ = nullptr;
  return first;
}

void ObjectChain::Adopt(CGeomObject* first, CGeomObject* last) {
  head_ = first;
  tail_ = last;
}

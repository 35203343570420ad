#pragma once

#include <memory>

// The program-wide list of objects handed over to live until exit (names read from files among
// them). Each entry is deleted as its own type. The room grows by doubling from 10: 10, 20, 40...
namespace pointer_list_detail {
void Append(void* object, void (*destroy)(void*));
}

template <class T>
T* AppendPointer(std::unique_ptr<T> object) {
  T* raw = object.release();
  pointer_list_detail::Append(raw, [](void* p) { delete static_cast<T*>(p); });
  return raw;
}

int PointerListCount();
int PointerListCapacity();
// Deletes every entry, latest first, and leaves the list as start-up does.
void ClearPointerList();

#include "kernel/pointer_list.h"

#include <vector>

namespace {

constexpr int kInitialCapacity = 10;

struct Entry {
  void* object;
  void (*destroy)(void*);
};

struct PointerList {
  std::vector<Entry> entries;
  int capacity = kInitialCapacity;

  PointerList() { entries.reserve(kInitialCapacity); }
  ~PointerList() { Clear(); }

  void Clear() {
    while (!entries.empty()) {
      const Entry entry = entries.back();
      entries.pop_back();
      entry.destroy(entry.object);
    }
    entries.shrink_to_fit();
    capacity = kInitialCapacity;
    entries.reserve(kInitialCapacity);
  }
};

PointerList& List() {
  static PointerList list;
  return list;
}

}  // namespace

void pointer_list_detail::Append(void* object, void (*destroy)(void*)) {
  PointerList& list = List();
  if (static_cast<int>(list.entries.size()) == list.capacity) {
    list.capacity *= 2;
    list.entries.reserve(static_cast<std::size_t>(list.capacity));
  }
  list.entries.push_back({object, destroy});
}

int PointerListCount() { return static_cast<int>(List().entries.size()); }

int PointerListCapacity() { return List().capacity; }

void ClearPointerList() { List().Clear(); }

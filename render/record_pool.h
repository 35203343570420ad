#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

// Test hook: the n-th block allocation from now on (of any pool) throws std::bad_alloc; 0 turns it
// off.
void FailNthBlockAllocation(int n);
void ResetBlockAllocationHook();
// Throws when the hook says this allocation fails.
void CountBlockAllocation();

// Small records recycled through a free list threaded through their `next` links. Blocks are only
// freed all at once, so a record that is never given back costs memory until then, never a leak.
template <typename T, bool kClearBlocks = false>
class RecordPool {
 public:
  static constexpr std::size_t kBlockSize = 1024;

  // The record is not initialised: its user writes every field.
  T* Take() {
    if (free_ == nullptr) Grow();
    T* record = free_;
    free_ = record->next;
    return record;
  }
  void Give(T* record) {
    record->next = free_;
    free_ = record;
  }
  // A whole list linked by `next`, null allowed.
  void GiveList(T* head) {
    if (head == nullptr) return;
    T* last = head;
    while (last->next != nullptr) last = last->next;
    last->next = free_;
    free_ = head;
  }
  void FreeAll() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    free_ = nullptr;
  }
  // For measurements only.
  std::size_t BlocksHeld() const { return blocks_.size(); }
  std::size_t MostBlocksHeld() const { return mostBlocks_; }

 private:
  void Grow() {
    CountBlockAllocation();
    // Room in the block array first, so a failure cannot strand a block.
    if (blocks_.size() == blocks_.capacity()) blocks_.reserve(blocks_.empty() ? 16 : blocks_.size() * 2);
    std::unique_ptr<T[]> block = kClearBlocks ? std::make_unique<T[]>(kBlockSize)
                                              : std::make_unique_for_overwrite<T[]>(kBlockSize);
    T* records = block.get();
    blocks_.push_back(std::move(block));
    if (blocks_.size() > mostBlocks_) mostBlocks_ = blocks_.size();
    // The first record is handed out; the rest go onto the free list in address order.
    for (std::size_t i = 1; i + 1 < kBlockSize; ++i) records[i].next = &records[i + 1];
    records[kBlockSize - 1].next = nullptr;
    records[0].next = &records[1];
    free_ = &records[0];
  }

  T* free_ = nullptr;
  std::vector<std::unique_ptr<T[]>> blocks_;
  std::size_t mostBlocks_ = 0;
};

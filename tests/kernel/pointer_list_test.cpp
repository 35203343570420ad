#include "kernel/pointer_list.h"

#include <vector>

#include "kernel/name_pool.h"
#include "program_state.h"

namespace {

using PointerListTest = LumidrexTest;

// Counts its own destruction, so a test sees each entry deleted as its own type.
struct Counted {
  explicit Counted(std::vector<int>* log, int tag) : log(log), tag(tag) {}
  ~Counted() { log->push_back(tag); }
  std::vector<int>* log;
  int tag;
};

struct Other {
  explicit Other(int* deleted) : deleted(deleted) {}
  ~Other() { ++*deleted; }
  int* deleted;
};

TEST_F(PointerListTest, GrowsByItsCapacityAndDeletesEachEntryAsItsOwnType) {
  std::vector<int> log;
  int others = 0;
  for (int i = 0; i < 10; ++i) AppendPointer(std::make_unique<Counted>(&log, i));
  EXPECT_EQ(PointerListCapacity(), 10);
  AppendPointer(std::make_unique<Other>(&others));
  EXPECT_EQ(PointerListCount(), 11);
  EXPECT_EQ(PointerListCapacity(), 20);

  ClearPointerList();
  EXPECT_EQ(log.size(), 10u);
  EXPECT_EQ(others, 1);
  EXPECT_EQ(PointerListCount(), 0);
  EXPECT_EQ(PointerListCapacity(), 10);
}

TEST_F(PointerListTest, PooledNamesShareTheOneList) {
  const std::string* gold = PoolName("Gold");
  EXPECT_EQ(*gold, "Gold");
  EXPECT_EQ(PointerListCount(), 1);
}

}  // namespace

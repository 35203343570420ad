#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "render/list_sort.h"

namespace {

struct Item {
  Item* next;
  int key;
  std::string name;
};

// Links the items in order and returns the names of the sorted list.
std::vector<std::string> Sorted(std::vector<Item>& items, bool descending) {
  for (std::size_t i = 0; i < items.size(); ++i) items[i].next = i + 1 < items.size() ? &items[i + 1] : nullptr;
  std::vector<Item*> runs;
  Item* head = SortList(
      items.empty() ? nullptr : &items[0],
      [descending](const Item* a, const Item* b) { return descending ? a->key > b->key : a->key < b->key; }, runs);
  std::vector<std::string> names;
  for (; head != nullptr; head = head->next) names.push_back(head->name);
  return names;
}

TEST(ListSortTest, TiesFollowTheRunAndSetAsideOrder) {
  struct Case {
    std::vector<std::pair<int, std::string>> keys;
    bool descending;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{{5, "5"}, {3, "3"}, {5, "5'"}}, true, {"5'", "5", "3"}},
      {{{5, "5"}, {1, "1"}, {3, "3"}, {3, "3'"}}, true, {"5", "3'", "3", "1"}},
      // The same orders read as ascending keys.
      {{{-5, "5"}, {-3, "3"}, {-5, "5'"}}, false, {"5'", "5", "3"}},
      {{{-5, "5"}, {-1, "1"}, {-3, "3"}, {-3, "3'"}}, false, {"5", "3'", "3", "1"}},
      {{{2, "a"}, {2, "b"}}, true, {"a", "b"}},
      {{{7, "a"}}, true, {"a"}},
      {{}, true, {}},
  };
  for (const Case& c : cases) {
    std::vector<Item> items;
    for (const auto& [key, name] : c.keys) items.push_back({nullptr, key, name});
    EXPECT_EQ(Sorted(items, c.descending), c.expected);
  }
}

TEST(ListSortTest, DeepSetAsideChainsSortWithoutRecursion) {
  // Each pass keeps only the outermost two keys and sets the rest aside, which reverses them; so
  // the rest is given reversed, and the passes go 10,000 deep.
  constexpr int kCount = 20000;
  // Built inside out; a reversed deque stands for the reversal.
  std::deque<int> order;
  bool reversed = false;
  for (int lo = kCount / 2 - 1, hi = kCount / 2; lo >= 0; --lo, ++hi) {
    reversed = !reversed;
    if (reversed) {
      order.push_back(lo);
      order.push_back(hi);
    } else {
      order.push_front(lo);
      order.push_front(hi);
    }
  }
  if (reversed) std::reverse(order.begin(), order.end());
  std::vector<Item> items;
  for (int key : order) items.push_back({nullptr, key, {}});
  for (std::size_t i = 0; i < items.size(); ++i) items[i].next = i + 1 < items.size() ? &items[i + 1] : nullptr;
  std::vector<Item*> runs;
  const Item* head = SortList(&items[0], [](const Item* a, const Item* b) { return a->key < b->key; }, runs);
  int expected = 0;
  for (; head != nullptr; head = head->next) ASSERT_EQ(head->key, expected++);
  EXPECT_EQ(expected, kCount);
  EXPECT_EQ(runs.size(), std::size_t{kCount / 2});
}

}  // namespace

#pragma once

#include <vector>

// The engine's sort of a singly linked list, for crossings, spans and nodes. Which of two equal
// elements comes first decides which surface wins a tie, so the order of ties is part of the
// result; a library sort would change it.
//
// The first two elements form a run (the first stays first when equal). Each later element goes
// after the run's last when it does not come before it, before the run's first when the first
// does not come before it, and otherwise to the front of a set-aside list. The set-aside list is
// sorted the same way and merged with the run, the run's element first when equal. The recursion
// on the set-aside list is unrolled: the runs are kept in `runs` and merged from the innermost out.
//
// before(a, b) is true when a strictly comes before b. `runs` is scratch space the caller keeps.
template <typename T, typename Before>
T* SortList(T* head, Before before, std::vector<T*>& runs) {
  runs.clear();
  while (head != nullptr && head->next != nullptr) {
    T* a = head;
    T* b = a->next;
    T* rest = b->next;
    T* first;
    T* last;
    if (before(b, a)) {
      first = b;
      last = a;
    } else {
      first = a;
      last = b;
    }
    first->next = last;
    T* setAside = nullptr;
    while (rest != nullptr) {
      T* element = rest;
      rest = rest->next;
      if (!before(element, last)) {
        last->next = element;
        last = element;
      } else if (!before(first, element)) {
        element->next = first;
        first = element;
      } else {
        element->next = setAside;
        setAside = element;
      }
    }
    last->next = nullptr;
    runs.push_back(first);
    head = setAside;
  }
  T* merged = head;
  for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
    T* run = *it;
    T* result = nullptr;
    T** tail = &result;
    while (run != nullptr && merged != nullptr) {
      if (before(merged, run)) {
        *tail = merged;
        merged = merged->next;
      } else {
        *tail = run;
        run = run->next;
      }
      tail = &(*tail)->next;
    }
    *tail = run != nullptr ? run : merged;
    merged = result;
  }
  return merged;
}

#include "render/crossing_merge.h"

#include <cmath>
#include <utility>

namespace {

CrossingEntry* Pop(CrossingEntry** list) {
  CrossingEntry* entry = *list;
  *list = entry->next;
  return entry;
}

// Appends to the output whose last link is *tail.
void Emit(CrossingEntry*** tail, CrossingEntry* entry) {
  **tail = entry;
  *tail = &entry->next;
}

}  // namespace

CrossingEntry* NormalizeCrossings(CrossingEntry* sorted) {
  CrossingEntry* result = nullptr;
  CrossingEntry** tail = &result;
  CrossingEntry** lastOpening = nullptr;
  int sum = 0;
  while (sorted != nullptr) {
    CrossingEntry* entry = Pop(&sorted);
    if (sum == 0) {
      lastOpening = tail;
      Emit(&tail, entry);
      sum += entry->facing;
    } else {
      sum += entry->facing;
      if (sum == 0) {
        Emit(&tail, entry);
      } else {
        ReleaseCrossingEntry(entry);
      }
    }
  }
  *tail = nullptr;
  if (sum != 0) {
    // Every entry after the unclosed opening went back, so it is the last one.
    ReleaseCrossingEntry(*lastOpening);
    *lastOpening = nullptr;
  }
  return result;
}

bool LongListTiesDecideOrder(const CrossingEntry* sorted) {
  // The running sum of facings, as NormalizeCrossings keeps it, before each run of equal depths.
  int sum = 0;
  for (const CrossingEntry* e = sorted; e != nullptr;) {
    if (!std::isfinite(e->depth)) return true;
    const CrossingEntry* end = e->next;
    int count = 1;
    int facings = e->facing;
    bool mixed = false;
    for (; end != nullptr && end->depth == e->depth; end = end->next, ++count) {
      facings += end->facing;
      mixed = mixed || end->facing != e->facing;
    }
    // Entries alike in depth and facing may come in any order; an opening and a closing that
    // meet outside the solid are kept both, in either order.
    if (mixed && !(sum == 0 && count == 2)) return true;
    sum += facings;
    e = end;
  }
  return false;
}

CrossingEntry* MergeByDepth(CrossingEntry* a, CrossingEntry* b) {
  CrossingEntry* result = nullptr;
  CrossingEntry** tail = &result;
  while (a != nullptr && b != nullptr) Emit(&tail, b->depth > a->depth ? Pop(&b) : Pop(&a));
  *tail = a != nullptr ? a : b;
  return result;
}

CrossingEntry* UnionCrossings(CrossingEntry* a, CrossingEntry* b) {
  CrossingEntry* result = nullptr;
  CrossingEntry** tail = &result;
  while (a != nullptr && b != nullptr) {
    CrossingEntry** current = a->depth >= b->depth ? &a : &b;
    CrossingEntry** other = current == &a ? &b : &a;
    Emit(&tail, Pop(current));
    CrossingEntry* closing = Pop(current);
    while (*other != nullptr) {
      CrossingEntry* opening = *other;
      CrossingEntry* otherClosing = opening->next;
      if (otherClosing->depth >= closing->depth) {
        // Inside the current span.
        *other = otherClosing->next;
        ReleaseCrossingEntry(opening);
        ReleaseCrossingEntry(otherClosing);
      } else if (opening->depth >= closing->depth) {
        // Overlaps or touches: the current span now ends where the other one does.
        *other = otherClosing->next;
        ReleaseCrossingEntry(closing);
        ReleaseCrossingEntry(opening);
        closing = otherClosing;
        std::swap(current, other);
      } else {
        break;
      }
    }
    Emit(&tail, closing);
  }
  *tail = a != nullptr ? a : b;
  return result;
}

CrossingEntry* IntersectCrossings(CrossingEntry* a, CrossingEntry* b) {
  CrossingEntry* result = nullptr;
  CrossingEntry** tail = &result;
  while (a != nullptr && b != nullptr) {
    CrossingEntry** front = a->depth >= b->depth ? &a : &b;
    CrossingEntry** other = front == &a ? &b : &a;
    ReleaseCrossingEntry(Pop(front));
    CrossingEntry* closing = Pop(front);
    for (;;) {
      if (*other == nullptr) {
        ReleaseCrossingEntry(closing);
        break;
      }
      CrossingEntry* opening = *other;
      CrossingEntry* otherClosing = opening->next;
      if (otherClosing->depth >= closing->depth) {
        *other = otherClosing->next;
        Emit(&tail, opening);
        Emit(&tail, otherClosing);
      } else if (opening->depth > closing->depth) {
        *other = otherClosing->next;
        Emit(&tail, opening);
        Emit(&tail, closing);
        closing = otherClosing;
        std::swap(front, other);
      } else {
        ReleaseCrossingEntry(closing);
        break;
      }
    }
  }
  *tail = nullptr;
  ReleaseCrossingList(a);
  ReleaseCrossingList(b);
  return result;
}

CrossingEntry* SubtractCrossings(CrossingEntry* body, CrossingEntry* cutter) {
  enum class State { kBetween, kCutting, kInside };
  CrossingEntry* result = nullptr;
  CrossingEntry** tail = &result;
  State state = State::kBetween;
  // Cutting: the cutter's head is the closing entry of the cut. Inside: the body's head is the
  // closing entry of the result span.
  for (;;) {
    if (state == State::kInside) {
      if (cutter == nullptr) break;
      CrossingEntry* cutClosing = cutter->next;
      if (cutClosing->depth > body->depth) {
        // The cut lies within: it splits the result span.
        Emit(&tail, Pop(&cutter));
        Emit(&tail, Pop(&cutter));
      } else if (body->depth >= cutter->depth) {
        Emit(&tail, Pop(&body));
        state = State::kBetween;
      } else {
        Emit(&tail, Pop(&cutter));
        ReleaseCrossingEntry(Pop(&body));
        state = State::kCutting;
      }
    } else if (body == nullptr || cutter == nullptr) {
      break;
    } else if (state == State::kBetween) {
      if (body->depth > cutter->depth) {
        Emit(&tail, Pop(&body));
        state = State::kInside;
      } else {
        ReleaseCrossingEntry(Pop(&cutter));
        state = State::kCutting;
      }
    } else if (body->next->depth > cutter->depth) {
      // The body's span lies wholly within the cut.
      ReleaseCrossingEntry(Pop(&body));
      ReleaseCrossingEntry(Pop(&body));
    } else if (cutter->depth >= body->depth) {
      ReleaseCrossingEntry(Pop(&cutter));
      state = State::kBetween;
    } else {
      Emit(&tail, Pop(&cutter));
      ReleaseCrossingEntry(Pop(&body));
      state = State::kInside;
    }
  }
  // What is left of the body is appended; the rest of the cutter goes back.
  *tail = body;
  ReleaseCrossingList(cutter);
  return result;
}

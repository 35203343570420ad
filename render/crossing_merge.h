#pragma once

#include <cmath>

#include "render/render_records.h"

// Rules that combine crossing lists, each ordered nearest first. Every entry of the inputs either
// goes into the result, keeping its facing and span, or back to its pool.

// Keeps the entries where the running sum of facings, from the eye, leaves and returns to zero;
// an unclosed last opening is dropped too, so the result is balanced.
CrossingEntry* NormalizeCrossings(CrossingEntry* sorted);
// Whether the order of ties in a list sorted by depth can change the depths NormalizeCrossings
// keeps: entries of equal depth and opposite facing, unless just two of them meet where the
// running sum is zero, or a depth that is not finite.
bool LongListTiesDecideOrder(const CrossingEntry* sorted);
inline bool TiesDecideOrder(const CrossingEntry* sorted) {
  // Most lists hold a single span: two entries, which any order keeps both.
  if (sorted == nullptr) return false;
  const CrossingEntry* second = sorted->next;
  if (second == nullptr || second->next == nullptr) {
    return !std::isfinite(sorted->depth) || (second != nullptr && !std::isfinite(second->depth));
  }
  return LongListTiesDecideOrder(sorted);
}
// One list by depth, a's entry first on equal depth; not balanced.
CrossingEntry* MergeByDepth(CrossingEntry* a, CrossingEntry* b);
// The rules below take and give balanced lists; a is the result gathered so far.
CrossingEntry* UnionCrossings(CrossingEntry* a, CrossingEntry* b);
CrossingEntry* IntersectCrossings(CrossingEntry* a, CrossingEntry* b);
// The body's list minus the cutter's; surfaces of the cutter seen from inside bound the cuts.
CrossingEntry* SubtractCrossings(CrossingEntry* body, CrossingEntry* cutter);

#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/render_records.h"
#include "render/span_setup.h"

// The steps every polygon primitive takes with its triangles, whatever keeps them, so that two
// primitives given the same triangles cut the same spans to the last bit.

// A y less than 0.001 from the whole number at or below y + 0.001 moves onto it.
inline void SnapRow(PolygonVertex* v) {
  const float whole = std::floor(v->y + 0.001f);
  if (v->y - whole < 0.001f) v->y = whole;
}

inline bool IsFiniteVertex(const PolygonVertex* v) {
  return std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z);
}

// Which of the corners is the highest (least y), the first on equal y.
inline int TopCorner(const PolygonVertex* a, const PolygonVertex* b, const PolygonVertex* c) {
  const PolygonVertex* top = a;
  if (b->y < top->y) top = b;
  if (c->y < top->y) top = c;
  return top == a ? 0 : top == b ? 1 : 2;
}

// The ends of the two sides of a triangle (top first, in cyclic order) that the row y reaches,
// first side first; false when the triangle is over before it starts, a flat or thin triangle
// between rows.
inline bool StartingSideEnds(const PolygonVertex* top, const PolygonVertex* second, const PolygonVertex* third,
                             float y, const PolygonVertex* ends[4]) {
  const bool reachedSecond = second->y <= y;
  const bool reachedThird = third->y <= y;
  if (reachedSecond && reachedThird) return false;
  if (!reachedSecond && !reachedThird) {
    ends[0] = top, ends[1] = second, ends[2] = top, ends[3] = third;
  } else if (reachedThird) {
    ends[0] = top, ends[1] = second, ends[2] = third, ends[3] = second;
  } else {
    ends[0] = second, ends[1] = third, ends[2] = top, ends[3] = third;
  }
  return true;
}

// Takes a started triangle's sides to the row; false when both have ended, and the triangle with
// them. A side that reached the middle vertex goes on from there to the last one.
inline bool ContinueSides(TriangleSide* first, TriangleSide* second, int row, const CMaterial* material) {
  const bool firstEnded = first->end->y <= static_cast<float>(row);
  const bool secondEnded = second->end->y <= static_cast<float>(row);
  if (firstEnded && secondEnded) return false;
  if (firstEnded) {
    SetUpSide(first, first->end, second->end, row, material);
  } else {
    StepSide(first);
  }
  if (secondEnded) {
    SetUpSide(second, second->end, first->end, row, material);
  } else {
    StepSide(second);
  }
  return true;
}

// A span between the two sides of a triangle, first side first. A record taken before a failed
// allocation is simply not linked; its block goes with the pools.
inline ColumnSpan* MakeTriangleSpan(TriangleSide* first, TriangleSide* second) {
  ColumnSpan* span = AllocColumnSpan();
  span->attributes = first->attributes != nullptr ? AllocEdgeAttributes() : nullptr;
  span->next = nullptr;
  span->activeNext = nullptr;
  span->leftSide = first;
  span->rightSide = second;
  first->span = span;
  second->span = span;
  return span;
}

// Orders the triangles (anything with a firstRow) by first row, keeping the input order within a
// row: buckets while the row range is a small multiple of the count, otherwise a stable sort,
// which gives the same order without a bucket per row of a far-flung range.
template <class Triangle>
void SortTrianglesByFirstRow(std::vector<Triangle>& triangles, std::int32_t firstRow) {
  if (triangles.empty()) return;
  std::int32_t lastKey = firstRow;
  for (const Triangle& t : triangles) lastKey = std::max(lastKey, t.firstRow);
  const std::int64_t range = std::int64_t{lastKey} - firstRow + 1;
  if (range > 4 * static_cast<std::int64_t>(triangles.size()) + 4096) {
    std::stable_sort(triangles.begin(), triangles.end(),
                     [](const Triangle& a, const Triangle& b) { return a.firstRow < b.firstRow; });
    return;
  }
  std::vector<std::size_t> start(static_cast<std::size_t>(range) + 1, 0);
  for (const Triangle& t : triangles) ++start[static_cast<std::size_t>(t.firstRow - firstRow) + 1];
  for (std::size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
  std::vector<Triangle> sorted(triangles.size());
  for (const Triangle& t : triangles) sorted[start[static_cast<std::size_t>(t.firstRow - firstRow)]++] = t;
  triangles.swap(sorted);
}

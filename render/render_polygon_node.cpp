#include "render/render_polygon_node.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "render/raster_rounding.h"
#include "render/span_setup.h"

namespace {

struct Triangle {
  PolygonVertex* top;
  std::int32_t firstRow;
};

void ReleaseTriangle(PolygonVertex* top) {
  PolygonVertex* second = top->next;
  PolygonVertex* third = second->next;
  ReleasePolygonVertex(top);
  ReleasePolygonVertex(second);
  ReleasePolygonVertex(third);
}

bool IsFiniteVertex(const PolygonVertex* v) {
  return std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z);
}

// A y less than 0.001 from the whole number at or below y + 0.001 moves onto it.
void SnapRow(PolygonVertex* v) {
  const float whole = std::floor(v->y + 0.001f);
  if (v->y - whole < 0.001f) v->y = whole;
}

// Orders the triangles by first row, keeping the input order within a row: buckets while the row
// range is a small multiple of the count, otherwise a stable sort, which gives the same order
// without a bucket per row of a far-flung range.
void SortByFirstRow(std::vector<Triangle>& triangles, std::int32_t firstRow) {
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

// A span between the two sides of a triangle, first side first. A record taken before a failed
// allocation is simply not linked; its block goes with the pools.
ColumnSpan* MakeSpan(TriangleSide* first, TriangleSide* second) {
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

}  // namespace

void CRenderNode::SetPolygon(PolygonVertex* vertices) {
  std::vector<Triangle> list;
  firstRow = 30000;
  lastRow = -30000;
  while (vertices != nullptr) {
    PolygonVertex* a = vertices;
    PolygonVertex* b = a->next;
    PolygonVertex* c = b != nullptr ? b->next : nullptr;
    if (c == nullptr) {
      // An incomplete last triangle.
      for (PolygonVertex* v = a; v != nullptr;) {
        PolygonVertex* next = v->next;
        ReleasePolygonVertex(v);
        v = next;
      }
      break;
    }
    vertices = c->next;
    c->next = nullptr;
    if (!IsFiniteVertex(a) || !IsFiniteVertex(b) || !IsFiniteVertex(c)) {
      ReleaseTriangle(a);
      continue;
    }
    SnapRow(a);
    SnapRow(b);
    SnapRow(c);
    // The highest vertex first, keeping the cyclic order.
    PolygonVertex* top = a;
    if (b->y < top->y) top = b;
    if (c->y < top->y) top = c;
    if (top == b) {
      b->next = c;
      c->next = a;
      a->next = nullptr;
    } else if (top == c) {
      c->next = a;
      a->next = b;
      b->next = nullptr;
    } else {
      a->next = b;
      b->next = c;
    }
    const float lowest = std::max({a->y, b->y, c->y});
    const std::int32_t first = CeilCoordinate(top->y);
    firstRow = std::min(firstRow, first);
    lastRow = std::max(lastRow, CeilCoordinate(lowest));
    list.push_back({top, first});
  }
  SortByFirstRow(list, firstRow);
  PolygonVertex** tail = &triangles;
  for (const Triangle& t : list) {
    *tail = t.top;
    tail = &t.top->next->next->next;
  }
  *tail = nullptr;
  unstartedTriangles = triangles;
}

void CRenderPolygonNode::ScanRow(int row) {
  if (row < firstRow || row > lastRow || triangles == nullptr) return;
  ReleaseSpans();
  ColumnSpan** spanTail = &spans;
  PolygonVertex** link = &triangles;
  TriangleSide** sideLink = &activeSides;
  // The started triangles, in step with their side pairs.
  while (*link != unstartedTriangles) {
    PolygonVertex* top = *link;
    PolygonVertex* third = top->next->next;
    TriangleSide* first = *sideLink;
    TriangleSide* second = first->next;
    const bool firstEnded = first->end->y <= static_cast<float>(row);
    const bool secondEnded = second->end->y <= static_cast<float>(row);
    if (firstEnded && secondEnded) {
      *link = third->next;
      *sideLink = second->next;
      ReleaseTriangle(top);
      ReleaseTriangleSide(first);
      ReleaseTriangleSide(second);
      continue;
    }
    // A side that reached the middle vertex goes on from there to the last one.
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
    ColumnSpan* span = MakeSpan(first, second);
    *spanTail = span;
    spanTail = &span->next;
    link = &third->next;
    sideLink = &second->next;
  }
  spanTail = StartTriangles(row, link, sideLink, spanTail);
  *spanTail = nullptr;
}

ColumnSpan** CRenderPolygonNode::StartTriangles(int row, PolygonVertex** link, TriangleSide** sideLink,
                                                ColumnSpan** spanTail) {
  const float y = static_cast<float>(row);
  while (unstartedTriangles != nullptr && unstartedTriangles->y <= y) {
    PolygonVertex* top = unstartedTriangles;
    PolygonVertex* second = top->next;
    PolygonVertex* third = second->next;
    const bool reachedSecond = second->y <= y;
    const bool reachedThird = third->y <= y;
    if (reachedSecond && reachedThird) {
      // Over before it starts: a flat or thin triangle between rows.
      unstartedTriangles = third->next;
      *link = unstartedTriangles;
      ReleaseTriangle(top);
      continue;
    }
    const PolygonVertex* ends[4];
    if (!reachedSecond && !reachedThird) {
      ends[0] = top, ends[1] = second, ends[2] = top, ends[3] = third;
    } else if (reachedThird) {
      ends[0] = top, ends[1] = second, ends[2] = third, ends[3] = second;
    } else {
      ends[0] = second, ends[1] = third, ends[2] = top, ends[3] = third;
    }
    TriangleSide* sides[2];
    for (int k = 0; k < 2; ++k) {
      sides[k] = AllocTriangleSide();
      sides[k]->attributes = nullptr;
      sides[k]->span = nullptr;
      SetUpSide(sides[k], ends[2 * k], ends[2 * k + 1], row, material);
    }
    ColumnSpan* span = MakeSpan(sides[0], sides[1]);
    // Linked only now that every record is in hand.
    sides[1]->next = *sideLink;
    sides[0]->next = sides[1];
    *sideLink = sides[0];
    sideLink = &sides[1]->next;
    unstartedTriangles = third->next;
    link = &third->next;
    *spanTail = span;
    spanTail = &span->next;
  }
  return spanTail;
}

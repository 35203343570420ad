#include "render/render_polygon_node.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/raster_rounding.h"
#include "render/span_setup.h"
#include "render/triangle_rows.h"

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
    const int corner = TopCorner(a, b, c);
    PolygonVertex* top = corner == 0 ? a : corner == 1 ? b : c;
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
  SortTrianglesByFirstRow(list, firstRow);
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
    if (!ContinueSides(first, second, row, material)) {
      *link = third->next;
      *sideLink = second->next;
      ReleaseTriangle(top);
      ReleaseTriangleSide(first);
      ReleaseTriangleSide(second);
      continue;
    }
    ColumnSpan* span = MakeTriangleSpan(first, second);
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
    const PolygonVertex* ends[4];
    if (!StartingSideEnds(top, second, third, y, ends)) {
      unstartedTriangles = third->next;
      *link = unstartedTriangles;
      ReleaseTriangle(top);
      continue;
    }
    TriangleSide* sides[2];
    for (int k = 0; k < 2; ++k) {
      sides[k] = AllocTriangleSide();
      sides[k]->attributes = nullptr;
      sides[k]->span = nullptr;
      SetUpSide(sides[k], ends[2 * k], ends[2 * k + 1], row, material);
    }
    ColumnSpan* span = MakeTriangleSpan(sides[0], sides[1]);
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

#include "render/ray_polygon_node.h"

#include <algorithm>
#include <utility>

#include "render/raster_rounding.h"
#include "render/triangle_rows.h"

CRayPolygonNode::CRayPolygonNode(std::vector<PolygonVertex> points, const std::vector<std::int32_t>& corners,
                                 bool* orderDecides)
    : points_(std::move(points)) {
  orderDecides_ = orderDecides;
  // A point snaps as every corner at it would; a point that is not finite stays so.
  for (PolygonVertex& p : points_) SnapRow(&p);
  firstRow = 30000;
  lastRow = -30000;
  triangles_.reserve(corners.size() / 3);
  for (std::size_t i = 0; i + 2 < corners.size(); i += 3) {
    const PolygonVertex* a = &points_[corners[i]];
    const PolygonVertex* b = &points_[corners[i + 1]];
    const PolygonVertex* c = &points_[corners[i + 2]];
    if (!IsFiniteVertex(a) || !IsFiniteVertex(b) || !IsFiniteVertex(c)) continue;
    const int top = TopCorner(a, b, c);
    const Triangle t{{corners[i + top], corners[i + (top + 1) % 3], corners[i + (top + 2) % 3]},
                     CeilCoordinate(points_[corners[i + top]].y)};
    firstRow = std::min(firstRow, t.firstRow);
    lastRow = std::max(lastRow, CeilCoordinate(std::max({a->y, b->y, c->y})));
    triangles_.push_back(t);
  }
  SortTrianglesByFirstRow(triangles_, firstRow);
}

void CRayPolygonNode::ScanRow(int row) {
  if (row < firstRow || row > lastRow || (started_.empty() && unstarted_ == triangles_.size())) return;
  ReleaseSpans();
  std::size_t kept = 0;
  for (std::size_t i = 0; i < started_.size(); ++i) {
    Started& s = started_[i];
    if (!ContinueSides(&s.first, &s.second, row, material)) continue;
    if (kept != i) started_[kept] = s;
    ++kept;
  }
  started_.resize(kept);
  const float y = static_cast<float>(row);
  while (unstarted_ < triangles_.size() && points_[triangles_[unstarted_].corner[0]].y <= y) {
    const Triangle& t = triangles_[unstarted_++];
    const PolygonVertex* ends[4];
    if (!StartingSideEnds(&points_[t.corner[0]], &points_[t.corner[1]], &points_[t.corner[2]], y, ends)) continue;
    Started& s = started_.emplace_back();
    for (int k = 0; k < 2; ++k) {
      TriangleSide* side = k == 0 ? &s.first : &s.second;
      side->next = nullptr;
      side->attributes = nullptr;
      side->span = nullptr;
      SetUpSide(side, ends[2 * k], ends[2 * k + 1], row, material);
    }
  }
  // The spans in the order of the triangles, as the full primitive makes them, less those that
  // cover no column of the window; of those only the ones with the least first and the greatest
  // last column stay, as the node's extent reads them. Columns as SetUpSpanColumns finds them.
  const int windowFirst = RenderWindowFirstColumn();
  const int windowLast = RenderWindowLastColumn();
  Started* leftmost = nullptr;
  Started* rightmost = nullptr;
  std::int32_t leftmostColumn = 0;
  std::int32_t rightmostColumn = 0;
  ColumnSpan** tail = &spans;
  for (Started& s : started_) {
    const float left = std::min(s.first.x, s.second.x);
    const float right = s.second.x < s.first.x ? s.first.x : s.second.x;
    const std::int32_t first = RoundUpCoordinate(left);
    const std::int32_t last = RoundUpCoordinate(right);
    if (first == last || last < windowFirst || first > windowLast) {
      if (leftmost == nullptr || first < leftmostColumn) leftmost = &s, leftmostColumn = first;
      if (rightmost == nullptr || last > rightmostColumn) rightmost = &s, rightmostColumn = last;
      continue;
    }
    *tail = MakeTriangleSpan(&s.first, &s.second);
    tail = &(*tail)->next;
  }
  if (rightmost == leftmost) rightmost = nullptr;
  for (Started* s : {leftmost, rightmost}) {
    if (s == nullptr) continue;
    *tail = MakeTriangleSpan(&s->first, &s->second);
    tail = &(*tail)->next;
  }
  *tail = nullptr;
}

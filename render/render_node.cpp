#include "render/render_node.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "render/crossing_merge.h"
#include "render/list_sort.h"
#include "render/record_pool.h"
#include "render/material.h"
#include "render/render_state.h"
#include "render/span_setup.h"

namespace {

int windowFirst = 0;
int windowLast = 0;
// Whether, with closed columns, a span covers the column asked on one of its two samples only, so
// that the tree is evaluated on the sample before the column too.
bool samplesDiffer = false;

// Scratch of the list sorts, kept between calls so the column queries do not allocate.
std::vector<CrossingEntry*> crossingRuns;
std::vector<ColumnSpan*> spanRuns;
std::vector<CRenderNode*> nodeRuns;

CRenderNode* SortByFirstRow(CRenderNode* list) {
  return SortList(list, [](const CRenderNode* a, const CRenderNode* b) { return a->firstRow < b->firstRow; },
                  nodeRuns);
}

void FreeSortScratch() {
  crossingRuns = {};
  spanRuns = {};
  nodeRuns = {};
}

CrossingEntry* SortNearestFirst(CrossingEntry* entries) {
  return SortList(entries, [](const CrossingEntry* a, const CrossingEntry* b) { return a->depth > b->depth; },
                  crossingRuns);
}

void AppendCrossing(CrossingEntry*** tail, ColumnSpan* span) {
  CrossingEntry* entry = AllocCrossingEntry();
  entry->next = nullptr;
  entry->span = span;
  entry->facing = span->facing;
  entry->depth = span->depth;
  **tail = entry;
  *tail = &entry->next;
}

void DeleteList(CRenderNode* list) {
  while (list != nullptr) {
    CRenderNode* next = list->next;
    delete list;
    list = next;
  }
}

}  // namespace

CRenderNode::CRenderNode(std::uint8_t op, CRenderNode* children) : operation(op) {
  assert(children != nullptr && "a group needs a child");
  assert((op != kSubtraction || (children != nullptr && children->next != nullptr)) &&
         "a subtraction needs a body and a cutter");
  if (op == kSubtraction) {
    children->next = SortByFirstRow(children->next);
  } else {
    children = SortByFirstRow(children);
  }
  pendingChildren = children;
  if (op == kSubtraction) {
    firstRow = children->firstRow;
    lastRow = children->lastRow;
    return;
  }
  firstRow = children->firstRow;
  lastRow = children->lastRow;
  for (const CRenderNode* child = children->next; child != nullptr; child = child->next) {
    if (op == kIntersection) {
      // Sorted, so the last child starts latest.
      firstRow = child->firstRow;
      lastRow = std::min(lastRow, child->lastRow);
    } else {
      lastRow = std::max(lastRow, child->lastRow);
    }
  }
}

CRenderNode::~CRenderNode() {
  ReleaseSpans();
  while (triangles != nullptr) {
    PolygonVertex* next = triangles->next;
    ReleasePolygonVertex(triangles);
    triangles = next;
  }
  while (activeSides != nullptr) {
    TriangleSide* next = activeSides->next;
    ReleaseTriangleSide(activeSides);
    activeSides = next;
  }
  DeleteChildren();
}

void CRenderNode::ReleaseSpans() {
  while (spans != nullptr) {
    ColumnSpan* next = spans->next;
    ReleaseColumnSpan(spans);
    spans = next;
  }
  activeSpans = nullptr;
  pendingSpans = nullptr;
}

void CRenderNode::DeleteChildren() {
  DeleteList(pendingChildren);
  DeleteList(activeChildren);
  pendingChildren = nullptr;
  activeChildren = nullptr;
  columnCursor = nullptr;
}

void CRenderNode::BeginAtRow(int row) {
  if (notified_) return;
  notified_ = true;
  if (operation == kSubtraction) {
    for (CRenderNode* child = pendingChildren; child != nullptr; child = child->next) child->BeginAtRow(row);
    for (CRenderNode* child = activeChildren; child != nullptr; child = child->next) child->BeginAtRow(row);
    return;
  }
  for (CRenderNode* child = pendingChildren; child != nullptr && child->firstRow <= row; child = child->next) {
    child->BeginAtRow(row);
  }
}

void CRenderNode::ScanRow(int) {}

void CRenderNode::CheckRowOrder([[maybe_unused]] int row) {
  assert(row > checkedRow_ && "rows must strictly increase");
  checkedRow_ = row;
  checkedColumn_ = -(1 << 30) - 1;
}

int CRenderNode::CheckColumnOrder([[maybe_unused]] int column) {
  assert(column > checkedColumn_ && "columns must strictly increase within a row");
  const int previous = checkedColumn_;
  checkedColumn_ = column;
  return previous;
}

void CRenderNode::AdvanceToScanline(int row) {
  CheckRowOrder(row);
  // No group tells the root that it begins, and a grid primitive makes its triangles only then.
  BeginAtRow(row);
  switch (operation) {
    case kPrimitive:
      AdvancePrimitive(row);
      break;
    case kIntersection:
      AdvanceIntersection(row);
      break;
    case kSubtraction:
      AdvanceSubtraction(row);
      break;
    default:
      AdvanceUnion(row);
      break;
  }
}

void CRenderNode::AdvancePrimitive(int row) {
  ScanRow(row);
  lastColumn = -9999;
  for (ColumnSpan* span = spans; span != nullptr; span = span->next) {
    SetUpSpanColumns(span, windowFirst, windowLast);
    lastColumn = std::max({lastColumn, span->lastColumn, span->lastColumnBefore});
  }
  spans = SortList(spans, [](const ColumnSpan* a, const ColumnSpan* b) { return a->firstColumn < b->firstColumn; },
                   spanRuns);
  pendingSpans = spans;
  activeSpans = nullptr;
  firstColumn = spans != nullptr ? spans->firstColumn : 9999;
}

void CRenderNode::ActivatePendingChildren(int row) {
  CRenderNode** tail = &activeChildren;
  while (*tail != nullptr) tail = &(*tail)->next;
  while (pendingChildren != nullptr && pendingChildren->firstRow <= row) {
    CRenderNode* child = pendingChildren;
    child->BeginAtRow(row);
    child->AdvanceToScanline(row);
    pendingChildren = child->next;
    child->next = nullptr;
    *tail = child;
    tail = &child->next;
  }
}

void CRenderNode::SortActiveChildren() {
  if (activeChildren == nullptr) {
    if (pendingChildren != nullptr) firstRow = pendingChildren->firstRow;
    lastColumn = -9999;
    for (const CRenderNode* child = pendingChildren; child != nullptr; child = child->next) {
      lastColumn = std::max(lastColumn, child->lastColumn);
    }
    columnCursor = nullptr;
    return;
  }
  activeChildren = SortList(
      activeChildren, [](const CRenderNode* a, const CRenderNode* b) { return a->firstColumn < b->firstColumn; },
      nodeRuns);
  firstColumn = activeChildren->firstColumn;
  lastColumn = -9999;
  columnCursor = activeChildren;
  for (CRenderNode* child = activeChildren; child != nullptr; child = child->next) {
    lastColumn = std::max(lastColumn, child->lastColumn);
    child->columnNext = child->next;
  }
}

void CRenderNode::AdvanceUnion(int row) {
  CRenderNode** link = &activeChildren;
  while (*link != nullptr) {
    CRenderNode* child = *link;
    if (row >= child->lastRow) {
      *link = child->next;
      delete child;
      continue;
    }
    child->AdvanceToScanline(row);
    if (child->firstRow <= row) {
      link = &child->next;
      continue;
    }
    // Nothing in this row: back among the pending children, by its new first row.
    *link = child->next;
    CRenderNode** pending = &pendingChildren;
    while (*pending != nullptr && (*pending)->firstRow < child->firstRow) pending = &(*pending)->next;
    child->next = *pending;
    *pending = child;
  }
  ActivatePendingChildren(row);
  SortActiveChildren();
}

void CRenderNode::AdvanceIntersection(int row) {
  for (const CRenderNode* child = activeChildren; child != nullptr; child = child->next) {
    if (row >= child->lastRow) {
      // One child is over, so is the intersection.
      DeleteChildren();
      lastColumn = -9999;
      return;
    }
  }
  // Otherwise as a union; the children stay in first-column order, which the column walk needs.
  AdvanceUnion(row);
}

void CRenderNode::AdvanceSubtraction(int row) {
  if (!subtractionStarted_) {
    subtractionStarted_ = true;
    activeChildren = pendingChildren->next;
    pendingChildren->next = nullptr;
    pendingChildren->BeginAtRow(row);
    activeChildren->BeginAtRow(row);
  }
  CRenderNode* body = pendingChildren;
  CRenderNode* cutter = activeChildren;
  body->AdvanceToScanline(row);
  cutter->AdvanceToScanline(row);
  firstColumn = std::min(body->firstColumn, cutter->firstColumn);
  lastColumn = std::max(body->lastColumn, cutter->lastColumn);
}

CrossingEntry* CRenderNode::GetSpans(int column) {
  samplesDiffer = false;
  CrossingEntry* after = Spans(column, false);
  return samplesDiffer ? UnionCrossings(after, Spans(column, true)) : after;
}

CrossingEntry* CRenderNode::Spans(int column, bool before) {
  if (operation == kPrimitive) {
    if (orderDecides_ != nullptr) return WatchedCrossings(column, before);
    return NormalizeCrossings(PrimitiveCrossings(column, before));
  }
  if (!before) CheckColumnOrder(column);
  switch (operation) {
    case kUnionOfPieces:
      return UnionOfPiecesSpans(column, before);
    case kUnion:
      return UnionSpans(column, before);
    case kIntersection:
      return IntersectionSpans(column, before);
    default: {
      CrossingEntry* body = pendingChildren->Spans(column, before);
      CrossingEntry* cutter = activeChildren->Spans(column, before);
      return SubtractCrossings(body, cutter);
    }
  }
}

CrossingEntry* CRenderNode::PrimitiveCrossings(int column, bool before) {
  CrossingEntry* entries = nullptr;
  CrossingEntry** tail = &entries;
  if (before) {
    // The first asking left the spans at this column's depths.
    for (ColumnSpan* span = activeSpans; span != nullptr; span = span->activeNext) {
      if (column >= span->firstColumnBefore && column < span->lastColumnBefore) AppendCrossing(&tail, span);
    }
    return SortNearestFirst(entries);
  }
  [[maybe_unused]] const int previous = CheckColumnOrder(column);
  while (pendingSpans != nullptr && pendingSpans->firstColumn <= column) {
    ColumnSpan* span = pendingSpans;
    pendingSpans = span->next;
    span->activeNext = activeSpans;
    activeSpans = span;
  }
  const bool closed = ClosedColumnsFlag != 0;
  ColumnSpan** link = &activeSpans;
  while (*link != nullptr) {
    ColumnSpan* span = *link;
    if (std::max(span->lastColumn, span->lastColumnBefore) <= column) {
      *link = span->activeNext;
      continue;
    }
    if (span->firstColumn < column) {
      assert(column == previous + 1 && "a span that goes on must be asked at every column");
      span->depth += span->depthStep;
      if (span->attributes != nullptr) StepAttributes(span->attributes);
    }
    const bool after = column < span->lastColumn;
    if (after) AppendCrossing(&tail, span);
    if (closed && after != (column >= span->firstColumnBefore && column < span->lastColumnBefore)) samplesDiffer = true;
    link = &span->activeNext;
  }
  return SortNearestFirst(entries);
}

CrossingEntry* CRenderNode::WatchedCrossings(int column, bool before) {
  CrossingEntry* sorted = PrimitiveCrossings(column, before);
  if (TiesDecideOrder(sorted)) *orderDecides_ = true;
  return NormalizeCrossings(sorted);
}

CrossingEntry* CRenderNode::UnionOfPiecesSpans(int column, bool before) {
  CrossingEntry* merged = nullptr;
  for (CRenderNode* child = activeChildren; child != nullptr; child = child->next) {
    merged = MergeByDepth(merged, child->PrimitiveCrossings(column, before));
  }
  return NormalizeCrossings(merged);
}

CrossingEntry* CRenderNode::UnionSpans(int column, bool before) {
  CrossingEntry* result = nullptr;
  CRenderNode** link = &columnCursor;
  while (*link != nullptr) {
    CRenderNode* child = *link;
    if (child->firstColumn > column) break;
    if (child->lastColumn <= column) {
      *link = child->columnNext;
      continue;
    }
    result = UnionCrossings(result, child->Spans(column, before));
    link = &child->columnNext;
  }
  return result;
}

CrossingEntry* CRenderNode::IntersectionSpans(int column, bool before) {
  if (pendingChildren != nullptr || activeChildren == nullptr) return nullptr;
  CrossingEntry* result = activeChildren->Spans(column, before);
  bool emptied = false;
  for (CRenderNode* child = activeChildren->next; child != nullptr; child = child->next) {
    if (emptied) {
      // Still asked, so its spans keep their column steps.
      ReleaseCrossingList(child->Spans(column, before));
    } else if (child->firstColumn > column) {
      // The later children start later still.
      ReleaseCrossingList(result);
      return nullptr;
    } else if (child->lastColumn <= column) {
      ReleaseCrossingList(result);
      result = nullptr;
      emptied = true;
    } else {
      result = IntersectCrossings(result, child->Spans(column, before));
    }
  }
  return result;
}

void ReleaseRenderTree(CRenderNode* root) {
  delete root;
  if (RenderNestingCount > 1) {
    --RenderNestingCount;
    return;
  }
  RenderNestingCount = 0;
  FreeRenderPools();
  FreeSortScratch();
  FreeTexturesAndMaterials();
}

void SetRenderColumnWindow(int first, int last) {
  windowFirst = first;
  windowLast = last;
}

int RenderWindowFirstColumn() { return windowFirst; }
int RenderWindowLastColumn() { return windowLast; }

void ResetRenderEngine() {
  FreeRenderPools();
  FreeSortScratch();
  ResetBlockAllocationHook();
  SetRenderColumnWindow(0, 0);
}

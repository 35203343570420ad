#include "manufacturing/slice_contours.h"

#include <cstdint>

#include "render/record_pool.h"
#include "render/render_records.h"

namespace {

// An open end of a chain while a layer is traced. The open strands form one list in the order of
// a column's entries (nearest first), carried from column to column.
struct Strand {
  Strand* next;
  // The strand at the chain's other end.
  Strand* partner;
  ContourPoint* end;
  // Whether end is the chain's tail: points go after a tail and before a head.
  bool endIsTail;
  // The span that gave the last point, and whether the last two points came from it.
  const ColumnSpan* span;
  bool lastTwoShareSpan;
};

RecordPool<ContourPoint> pointPool;
RecordPool<SliceContour> contourPool;
RecordPool<Strand> strandPool;

ContourPoint* NewPoint(float depth, int column) {
  ContourPoint* point = pointPool.Take();
  point->next = nullptr;
  point->depth = depth;
  point->column = static_cast<float>(column);
  return point;
}

Strand* NewStrand(ContourPoint* end, bool endIsTail, const ColumnSpan* span) {
  Strand* strand = strandPool.Take();
  strand->next = nullptr;
  strand->partner = nullptr;
  strand->end = end;
  strand->endIsTail = endIsTail;
  strand->span = span;
  strand->lastTwoShareSpan = false;
  return strand;
}

// The entries of one column with their fixed depths, and the sentinel once they are used up.
class ColumnEntries {
 public:
  explicit ColumnEntries(CrossingEntry* list) : next_(list) { Advance(); }

  bool sentinel() const { return sentinel_; }
  float depth() const { return depth_; }
  bool opening() const { return opening_; }
  const ColumnSpan* span() const { return span_; }
  void Advance() {
    if (next_ == nullptr) {
      sentinel_ = true;
      depth_ = -1.0f;
      span_ = nullptr;
      return;
    }
    opening_ = (index_++ % 2) == 0;
    // A closing depth behind the grid's back plane is taken at it.
    depth_ = !opening_ && next_->depth < 0.0f ? 0.0f : next_->depth;
    span_ = next_->span;
    next_ = next_->next;
  }

 private:
  CrossingEntry* next_;
  std::int64_t index_ = 0;
  bool sentinel_ = false;
  bool opening_ = true;
  float depth_ = -1.0f;
  const ColumnSpan* span_ = nullptr;
};

class LayerTracer {
 public:
  ~LayerTracer() {
    // Only an exception leaves strands; their chains' points stay in the pool's blocks until the
    // pools are freed.
    while (strands_ != nullptr) {
      Strand* next = strands_->next;
      strandPool.Give(strands_);
      strands_ = next;
    }
  }

  void Column(int c, CrossingEntry* list) {
    ColumnEntries inHand(list);
    Strand** cursor = &strands_;
    for (;;) {
      CloseStrandsPassed(cursor, inHand.sentinel() ? -1.0f : inHand.depth());
      if (inHand.sentinel()) return;
      const float depth = inHand.depth();
      const bool opening = inHand.opening();
      const ColumnSpan* span = inHand.span();
      inHand.Advance();
      Strand* f = *cursor;
      if (f != nullptr && f->end->depth > inHand.depth()) {
        Continue(f, depth, c, span);
        cursor = &f->next;
        continue;
      }
      // A new chain: A at the current entry, B at the entry in hand, which B uses up.
      ContourPoint* a = NewPoint(depth, c);
      ContourPoint* b = NewPoint(inHand.depth(), c);
      // The chain runs from B to A behind an opening entry, else from A to B.
      if (opening) {
        b->next = a;
      } else {
        a->next = b;
      }
      Strand* sa = NewStrand(a, opening, span);
      Strand* sb = NewStrand(b, !opening, inHand.span());
      sa->partner = sb;
      sb->partner = sa;
      sb->next = f;
      sa->next = sb;
      *cursor = sa;
      cursor = &sb->next;
      inHand.Advance();
    }
  }

  // The strands still open after the last column are joined two by two from the front.
  SliceContour* Finish() {
    while (strands_ != nullptr && strands_->next != nullptr) Join(&strands_);
    if (strands_ != nullptr) {
      strandPool.Give(strands_);
      strands_ = nullptr;
    }
    return contours_;
  }

 private:
  // Joins the strand at the cursor with the one after it while that one lies nearer than depth.
  void CloseStrandsPassed(Strand** cursor, float depth) {
    while (*cursor != nullptr && (*cursor)->next != nullptr && (*cursor)->next->end->depth > depth) Join(cursor);
  }

  void Continue(Strand* f, float depth, int c, const ColumnSpan* span) {
    if (f->lastTwoShareSpan && f->span == span) {
      f->end->depth = depth;
      f->end->column = static_cast<float>(c);
      return;
    }
    ContourPoint* point = NewPoint(depth, c);
    if (f->endIsTail) {
      f->end->next = point;
    } else {
      point->next = f->end;
    }
    f->end = point;
    f->lastTwoShareSpan = f->span == span;
    f->span = span;
  }

  // Joins the strand at the cursor with the next and takes both out of the list.
  void Join(Strand** cursor) {
    Strand* f = *cursor;
    Strand* h = f->next;
    *cursor = h->next;
    if (f->endIsTail) {
      f->end->next = h->end;
    } else {
      h->end->next = f->end;
    }
    if (f->partner == h) {
      AddRing(h->end);
    } else {
      f->partner->partner = h->partner;
      h->partner->partner = f->partner;
    }
    strandPool.Give(f);
    strandPool.Give(h);
  }

  // The closed chain becomes a ring entered at start, its last point's link cut.
  void AddRing(ContourPoint* start) {
    int count = 1;
    ContourPoint* last = start;
    while (last->next != start) {
      last = last->next;
      ++count;
    }
    last->next = nullptr;
    if (count < 3) {
      pointPool.GiveList(start);
      return;
    }
    SliceContour* ring = contourPool.Take();
    ring->first = start;
    ring->pointCount = count;
    ring->next = nullptr;
    *contourTail_ = ring;
    contourTail_ = &ring->next;
  }

  Strand* strands_ = nullptr;
  SliceContour* contours_ = nullptr;
  SliceContour** contourTail_ = &contours_;
};

}  // namespace

SliceContour* TraceLayerContours(int columns, const std::function<CrossingEntry*(int column)>& columnList) {
  LayerTracer tracer;
  for (int c = 0; c < columns; ++c) {
    CrossingEntry* list = columnList(c);
    tracer.Column(c, list);
    ReleaseCrossingList(list);
  }
  return tracer.Finish();
}

void ReleaseSliceContours(SliceContour* contours) {
  while (contours != nullptr) {
    SliceContour* next = contours->next;
    pointPool.GiveList(contours->first);
    contourPool.Give(contours);
    contours = next;
  }
}

void FreeSliceContourPools() {
  pointPool.FreeAll();
  contourPool.FreeAll();
  strandPool.FreeAll();
}

std::size_t MostSliceContourBlocks() {
  return pointPool.MostBlocksHeld() + contourPool.MostBlocksHeld() + strandPool.MostBlocksHeld();
}

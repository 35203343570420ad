#include "manufacturing/slice_contours.h"

#include <cstdint>

#include "render/record_pool.h"
#include "render/render_records.h"

namespace {

// Two points of one column that follow each other in a chain: the ends of an interval that ends
// there, or the first two points of a chain. A chain that stays one column wide (a slanted tip
// whose last column lies beside the one before it) is laid into such a link of the column next
// to it, where it would otherwise be dropped as a ring of two points.
struct Link {
  ContourPoint* from = nullptr;
  ContourPoint* to = nullptr;
};

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
  // For a chain begun in the column walked: the link of the column before made just beside it.
  Link beside;
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
  strand->beside = {};
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
      if (inHand.sentinel()) break;
      const float depth = inHand.depth();
      const bool opening = inHand.opening();
      const ColumnSpan* span = inHand.span();
      inHand.Advance();
      Strand* f = *cursor;
      if (f != nullptr && f->end->depth > inHand.depth()) {
        Continue(f, depth, c, span);
        StepWithoutLink();
        cursor = &f->next;
        continue;
      }
      // A new chain: A at the current entry, B at the entry in hand, which B uses up.
      ContourPoint* a = NewPoint(depth, c);
      ContourPoint* b = NewPoint(inHand.depth(), c);
      // The chain runs from B to A behind an opening entry, else from A to B.
      const Link link = opening ? Link{b, a} : Link{a, b};
      link.from->next = link.to;
      Strand* sa = NewStrand(a, opening, span);
      Strand* sb = NewStrand(b, !opening, inHand.span());
      sa->partner = sb;
      sb->partner = sa;
      sb->next = f;
      sa->next = sb;
      *cursor = sa;
      cursor = &sb->next;
      inHand.Advance();
      ChainBegun(sa, link);
    }
    StepWithoutLink();
  }

  // The strands still open after the last column are joined two by two from the front.
  SliceContour* Finish() {
    while (strands_ != nullptr && strands_->next != nullptr) Join(&strands_);
    if (strands_ != nullptr) {
      strandPool.Give(strands_);
      strands_ = nullptr;
    }
    StepWithoutLink();
    // One-column chains laid into rings already made add to their counts.
    for (SliceContour* ring = laid_ ? contours_ : nullptr; ring != nullptr; ring = ring->next) {
      ring->pointCount = 0;
      for (const ContourPoint* p = ring->first; p != nullptr; p = p->next) ++ring->pointCount;
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
    const Link link = f->endIsTail ? Link{f->end, h->end} : Link{h->end, f->end};
    link.from->next = link.to;
    if (f->partner == h && link.to->next == link.from) {
      OneColumnChainClosed(f->beside, link);
    } else {
      if (f->partner == h) {
        AddRing(h->end);
      } else {
        f->partner->partner = h->partner;
        h->partner->partner = f->partner;
      }
      LinkMade(link);
    }
    strandPool.Give(f);
    strandPool.Give(h);
  }

  // Whether a one-column chain at the column can go into the link: it lies in another column and
  // nothing has gone into it yet (a ring's last link is cut, so its from point ends the ring).
  static bool Takes(const Link& link, float column) {
    return link.from != nullptr && link.from->column != column &&
           (link.from->next == link.to || link.from->next == nullptr);
  }

  // The two points go between the link's ends, in the link's direction of depth; one of two at
  // the same depth is enough.
  void Lay(ContourPoint* p, ContourPoint* q, const Link& link) {
    laid_ = true;
    if (p->depth == q->depth) {
      pointPool.Give(q);
      p->next = link.from->next;
      link.from->next = p;
      return;
    }
    const bool nearFirst = link.from->depth > link.to->depth;
    ContourPoint* first = (p->depth > q->depth) == nearFirst ? p : q;
    ContourPoint* second = first == p ? q : p;
    second->next = link.from->next;
    link.from->next = first;
    first->next = second;
  }

  // A chain of the two points of one column, closed: into the link beside its start, or into a
  // chain begun next, or dropped.
  void OneColumnChainClosed(const Link& beside, const Link& chain) {
    ContourPoint* p = chain.from;
    ContourPoint* q = chain.to;
    DropOrphan();
    if (Takes(beside, p->column)) {
      Lay(p, q, beside);
    } else if (Takes(lastLink_, p->column)) {
      Lay(p, q, lastLink_);
    } else {
      q->next = nullptr;
      orphan_ = p;
    }
    lastLink_ = {};
    lastChain_ = nullptr;
  }

  // A link made by a join: a chain begun just before it in a later column may lean on it.
  void LinkMade(const Link& link) {
    DropOrphan();
    if (lastChain_ != nullptr && lastChain_->beside.from == nullptr && lastChain_->end->column != link.from->column) {
      lastChain_->beside = link;
      lastChain_->partner->beside = link;
    }
    lastLink_ = link;
    lastChain_ = nullptr;
  }

  void ChainBegun(Strand* chain, const Link& link) {
    if (orphan_ != nullptr && Takes(link, orphan_->column)) {
      Lay(orphan_, orphan_->next, link);
      orphan_ = nullptr;
    }
    DropOrphan();
    if (Takes(lastLink_, link.from->column)) {
      chain->beside = lastLink_;
      chain->partner->beside = lastLink_;
    }
    lastLink_ = link;
    lastChain_ = chain;
  }

  void StepWithoutLink() {
    DropOrphan();
    lastLink_ = {};
    lastChain_ = nullptr;
  }

  void DropOrphan() {
    if (orphan_ != nullptr) pointPool.GiveList(orphan_);
    orphan_ = nullptr;
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
  // What the last step of the walk made: a link, and the chain if it began one.
  Link lastLink_;
  Strand* lastChain_ = nullptr;
  // A one-column chain closed by the last step, for a chain begun next to take.
  ContourPoint* orphan_ = nullptr;
  // Whether a one-column chain was laid into a link, so that ring counts are taken again.
  bool laid_ = false;
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

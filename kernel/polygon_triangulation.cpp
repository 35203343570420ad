#include "kernel/polygon_triangulation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <limits>
#include <vector>

namespace {

// One ring corner. A diagonal adds two more nodes that share their points with its ends.
struct Node {
  const Vector3* point = nullptr;
  Node* next = nullptr;  // ring
  Node* prev = nullptr;
  Node* sweepNext = nullptr;  // ascending sort coordinate
  Node* sweepPrev = nullptr;
};

// Every pass cuts a node or adds a diagonal. Simple rings need fewer diagonals than points; this
// many per input point stops crossing or degenerate input that keeps finding blocking vertices.
constexpr std::int64_t kDiagonalsPerPoint = 4;

float Coordinate(const Vector3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

class Sweep {
 public:
  Sweep(int sortAxis, int secondAxis) : s_(sortAxis), t_(secondAxis) {}

  void AddRing(const Vector3* points, int size) {
    Node* first = nullptr;
    Node* last = nullptr;
    for (int i = 0; i < size; ++i) {
      Node* node = &nodes_.emplace_back();
      node->point = &points[i];
      if (first == nullptr) first = node;
      if (last != nullptr) {
        last->next = node;
        node->prev = last;
      }
      last = node;
    }
    last->next = first;
    first->prev = last;
  }

  // Sweep order: ascending sort coordinate; among equal ones ascending second coordinate when
  // level corners go along the line; then the node added first. NaN sorts last so that the order
  // stays strict.
  void Sort(LevelCorners level) {
    std::vector<Node*> order;
    order.reserve(nodes_.size());
    for (Node& node : nodes_) order.push_back(&node);
    const bool alongTheLine = level == LevelCorners::kAlongTheLine;
    std::stable_sort(order.begin(), order.end(), [this, alongTheLine](const Node* a, const Node* b) {
      const float sa = SortKey(a, s_), sb = SortKey(b, s_);
      if (sa != sb || !alongTheLine) return sa < sb;
      return SortKey(a, t_) < SortKey(b, t_);
    });
    Node* previous = nullptr;
    for (Node* node : order) {
      node->sweepPrev = previous;
      if (previous != nullptr) previous->sweepNext = node;
      previous = node;
    }
    head_ = order.empty() ? nullptr : order.front();
  }

  void Run(const TriangleSink& emitTriangle, std::int64_t maxDiagonals) {
    std::int64_t diagonals = 0;
    while (head_ != nullptr) {
      Node* h = head_;
      Node* nx = h->next;
      Node* pv = h->prev;
      if (Node* w = BlockingVertex(h, nx, pv)) {
        if (++diagonals > maxDiagonals) return;
        AddDiagonal(h, w);
        continue;
      }
      emitTriangle(*h->point, *nx->point, *pv->point);
      if (h->next->next->next == h) {
        // The ring is this triangle, or a single node named three times.
        Unlink(h);
        if (nx != h) Unlink(nx);
        if (pv != h && pv != nx) Unlink(pv);
      } else {
        nx->prev = pv;
        pv->next = nx;
        Unlink(h);
      }
    }
  }

 private:
  static float SortKey(const Node* node, int axis) {
    const float key = Coordinate(*node->point, axis);
    return std::isnan(key) ? std::numeric_limits<float>::infinity() : key;
  }

  float S(const Vector3& v) const { return Coordinate(v, s_); }
  float T(const Vector3& v) const { return Coordinate(v, t_); }

  float Cross(Vector3 u, Vector3 v) const { return S(u) * T(v) - T(u) * S(v); }

  // Of the nodes after h in sweep order, up to the farther neighbour, inside the ear (h, nx, pv):
  // the one farthest from the line nx-pv, the first in sweep order among equals; none when the
  // ear is flat. The diagonal to the farthest one cannot cross an edge of the ring, while one to
  // any nearer vertex may cut an edge of a vertex beyond it. Nodes level with the farther
  // neighbour count too: when nx and pv are level, one between them on the ear's far edge would
  // otherwise be passed over, and the ring left after the cut would run through it.
  Node* BlockingVertex(Node* h, Node* nx, Node* pv) const {
    const Vector3 &tip = *h->point, &a = *nx->point, &b = *pv->point;
    if (Cross(VecSub(b, tip), VecSub(a, tip)) == 0.0f) return nullptr;
    const float limit = std::max(S(a), S(b));
    // The distance to the line, scaled by the line's length: enough to compare. In double, so
    // that equal distances compare equal and near ones keep their order.
    const double lineS = double(S(b)) - S(a), lineT = double(T(b)) - T(a);
    auto distance = [&](const Vector3& w) {
      return std::fabs(lineS * (double(T(w)) - T(a)) - lineT * (double(S(w)) - S(a)));
    };
    Node* farthest = nullptr;
    double farthestDistance = -1.0;
    for (Node* w = h->sweepNext; w != nullptr && S(*w->point) <= limit; w = w->sweepNext) {
      if (!Inside(*w->point, tip, a, b)) continue;
      const double d = distance(*w->point);
      if (d > farthestDistance) {
        farthest = w;
        farthestDistance = d;
      }
    }
    return farthest;
  }

  // Strictly inside, or on one edge away from the corners.
  bool Inside(Vector3 w, Vector3 tip, Vector3 next, Vector3 previous) const {
    if (VectorsEqual(w, tip) || VectorsEqual(w, next) || VectorsEqual(w, previous)) return false;
    const Vector3 a = VecSub(tip, w), b = VecSub(next, w), c = VecSub(previous, w);
    const float crosses[3] = {Cross(b, a), Cross(c, b), Cross(a, c)};
    int positive = 0, negative = 0, zero = 0;
    for (const float value : crosses) {
      if (value > 0.0f) {
        ++positive;
      } else if (value < 0.0f) {
        ++negative;
      } else if (value == 0.0f) {
        ++zero;
      }
    }
    return positive == 3 || negative == 3 || (zero == 1 && (positive == 2 || negative == 2));
  }

  // Splits h's ring along h-w, or joins w's ring into it: h and w keep one side, their copies
  // h' and w' (placed right after them in the sweep) the other.
  void AddDiagonal(Node* h, Node* w) {
    Node* h2 = InsertCopyAfter(h);
    Node* w2 = InsertCopyAfter(w);
    Node* hNext = h->next;
    Node* wPrev = w->prev;
    h->next = w;
    w->prev = h;
    h2->prev = w2;
    w2->next = h2;
    h2->next = hNext;
    hNext->prev = h2;
    w2->prev = wPrev;
    wPrev->next = w2;
  }

  Node* InsertCopyAfter(Node* node) {
    Node* copy = &nodes_.emplace_back();
    copy->point = node->point;
    copy->sweepPrev = node;
    copy->sweepNext = node->sweepNext;
    if (node->sweepNext != nullptr) node->sweepNext->sweepPrev = copy;
    node->sweepNext = copy;
    return copy;
  }

  void Unlink(Node* node) {
    if (node->sweepPrev != nullptr) {
      node->sweepPrev->sweepNext = node->sweepNext;
    } else {
      head_ = node->sweepNext;
    }
    if (node->sweepNext != nullptr) node->sweepNext->sweepPrev = node->sweepPrev;
    node->sweepNext = node->sweepPrev = nullptr;
  }

  int s_, t_;
  // Nodes stay in place while the deque grows and are all freed with it.
  std::deque<Node> nodes_;
  Node* head_ = nullptr;
};

// The axis dropped for the 2-D tests: the largest component of the normal from the first
// non-collinear consecutive triple of the given ring (z when there is none).
int DroppedAxis(const Vector3* ring, int size) {
  Vector3 n{0, 0, 0};
  for (int i = 0; i < size; ++i) {
    const Vector3 p0 = ring[i], p1 = ring[(i + 1) % size], p2 = ring[(i + 2) % size];
    n = VecCross(VecSub(p1, p0), VecSub(p1, p2));
    if (n.x != 0.0f || n.y != 0.0f || n.z != 0.0f) break;
  }
  int axis = 2;
  if (std::fabs(n.x) > std::fabs(n.z)) axis = 0;
  if (std::fabs(n.y) > std::fabs(Coordinate(n, axis))) axis = 1;
  return axis;
}

}  // namespace

void TriangulatePolygons(int ringCount, const int* ringSizes, const Vector3* const* rings,
                         const TriangleSink& emitTriangle, LevelCorners level) {
  int planeRing = -1;
  std::int64_t pointCount = 0;
  for (int r = 0; r < ringCount; ++r) {
    if (ringSizes[r] < 3) continue;
    if (planeRing < 0) planeRing = r;
    pointCount += ringSizes[r];
  }
  if (planeRing < 0) return;

  const int dropped = DroppedAxis(rings[planeRing], ringSizes[planeRing]);
  Sweep sweep((dropped + 2) % 3, (dropped + 1) % 3);
  for (int r = 0; r < ringCount; ++r) {
    if (ringSizes[r] >= 3) sweep.AddRing(rings[r], ringSizes[r]);
  }
  sweep.Sort(level);
  sweep.Run(emitTriangle, kDiagonalsPerPoint * pointCount);
}

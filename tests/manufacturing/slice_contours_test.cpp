#include "manufacturing/slice_contours.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "program_state.h"
#include "render/render_records.h"

namespace {

struct Crossing {
  float depth;
  int span;  // which wall gave it
};
using Row = std::vector<std::vector<Crossing>>;  // per column, nearest first
using Ring = std::vector<std::pair<float, float>>;  // (depth, column)

std::array<ColumnSpan, 8> spans;

std::vector<Ring> Trace(const Row& row) {
  SliceContour* contours = TraceLayerContours(static_cast<int>(row.size()), [&](int column) {
    CrossingEntry* head = nullptr;
    CrossingEntry** tail = &head;
    for (const Crossing& c : row[static_cast<std::size_t>(column)]) {
      CrossingEntry* e = AllocCrossingEntry();
      *e = {nullptr, &spans[static_cast<std::size_t>(c.span)], 1, c.depth};
      *tail = e;
      tail = &e->next;
    }
    return head;
  });
  std::vector<Ring> rings;
  for (const SliceContour* c = contours; c != nullptr; c = c->next) {
    Ring& ring = rings.emplace_back();
    for (const ContourPoint* p = c->first; p != nullptr; p = p->next) ring.emplace_back(p->depth, p->column);
    EXPECT_EQ(static_cast<int>(ring.size()), c->pointCount);
  }
  ReleaseSliceContours(contours);
  return rings;
}

double SignedArea(const Ring& ring) {
  double twice = 0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const auto& [x0, y0] = ring[i];
    const auto& [x1, y1] = ring[(i + 1) % ring.size()];
    twice += double(x0) * y1 - double(x1) * y0;
  }
  return twice / 2;
}

// Corners only: points where the ring turns.
std::size_t CornerCount(const Ring& ring) {
  std::size_t corners = 0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const auto& [ax, ay] = ring[(i + ring.size() - 1) % ring.size()];
    const auto& [bx, by] = ring[i];
    const auto& [cx, cy] = ring[(i + 1) % ring.size()];
    if ((bx - ax) * (cy - by) - (by - ay) * (cx - bx) != 0) ++corners;
  }
  return corners;
}

std::vector<Crossing> Solid(float nearDepth, float farDepth) { return {{nearDepth, 0}, {farDepth, 1}}; }
std::vector<Crossing> TwoBlobs() { return {{6, 0}, {4, 2}, {2, 3}, {0, 1}}; }

class SliceContoursTest : public LumidrexTest {};

TEST_F(SliceContoursTest, RingsOfSyntheticRows) {
  struct Case {
    const char* name;
    Row row;
    std::vector<double> areas;  // signed, per ring in order
    std::vector<std::size_t> corners;
  };
  const std::vector<Case> cases = {
      {"a rectangle", {Solid(4, 0), Solid(4, 0), Solid(4, 0), Solid(4, 0)}, {12}, {4}},
      {"a ring with a hole",
       {Solid(6, 0), TwoBlobs(), TwoBlobs(), TwoBlobs(), Solid(6, 0)},
       {-4, 24},
       {4, 4}},
      {"two spans merging into one", {TwoBlobs(), TwoBlobs(), Solid(6, 0), Solid(6, 0)}, {16}, {8}},
      {"one span splitting into two", {Solid(6, 0), Solid(6, 0), TwoBlobs(), TwoBlobs()}, {16}, {8}},
      {"two blobs in the same columns", {TwoBlobs(), TwoBlobs(), TwoBlobs(), {}}, {4, 4}, {4, 4}},
      {"a two-point sliver", {Solid(3, 1), {}}, {}, {}},
      // A slanted tip's column lies beside the one before or after it, not overlapping it.
      {"a tip on the far side behind", {Solid(6, 4), Solid(6, 4), Solid(2, 1), {}}, {3.5}, {6}},
      {"a tip on the far side in front", {Solid(6, 4), Solid(6, 4), Solid(9, 8)}, {3.5}, {6}},
      {"a tip on the near side behind", {{}, Solid(2, 1), Solid(6, 4), Solid(6, 4)}, {3.5}, {6}},
      {"a tip on the near side in front", {Solid(9, 8), Solid(6, 4), Solid(6, 4)}, {3.5}, {6}},
      {"a tip ending at a point", {Solid(6, 4), Solid(6, 4), Solid(3, 3)}, {3}, {5}},
      // Between the tips another span goes on: neither tip may cross it.
      {"tips beside a span that goes on", {{{6, 0}, {5, 1}, {4, 2}, {3, 3}}, {{4.5f, 2}, {3.5f, 3}, {2, 4}, {1, 5}}},
       {1}, {4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Ring> rings = Trace(c.row);
    ASSERT_EQ(rings.size(), c.areas.size());
    for (std::size_t i = 0; i < rings.size(); ++i) {
      EXPECT_EQ(SignedArea(rings[i]), c.areas[i]) << i;
      EXPECT_EQ(CornerCount(rings[i]), c.corners[i]) << i;
    }
  }
}

TEST_F(SliceContoursTest, RectangleRingByPoints) {
  // One span per wall: the straight runs collapse to their ends, entered at the far wall's end.
  EXPECT_EQ(Trace({Solid(4, 0), Solid(4, 0), Solid(4, 0), Solid(4, 0)}),
            (std::vector<Ring>{{{0, 3}, {0, 0}, {4, 0}, {4, 3}}}));
  // A closing depth behind the back plane is taken at it.
  EXPECT_EQ(Trace({Solid(2, -0.5f), Solid(2, -0.5f)}), (std::vector<Ring>{{{0, 1}, {0, 0}, {2, 0}, {2, 1}}}));
  // Walls made of two spans each leave a point where they meet.
  EXPECT_EQ(Trace({Solid(4, 0), {{4, 5}, {0, 6}}, {{4, 5}, {0, 6}}}).front().size(), 6u);
}

}  // namespace

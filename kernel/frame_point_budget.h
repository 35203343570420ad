#pragma once

#include <cstdint>

#include "kernel/bspline_curve.h"

// What one frame may evaluate for its oversized requests together: curves, surface and block
// tessellations that one drawing of one object asks more points of than any real design does.
// Past it the frame draws its remaining oversized objects with fewer steps, down to their control
// polygons; the objects keep their own steps.
inline constexpr std::int64_t kFramePointBudget = std::int64_t{1} << 20;

// What one request may ask for (before its per-point cost) and still be granted whole without
// touching the budget: a curve at the per-direction bound, a 256 x 256 grid. Real designs stay
// below it, so they draw exactly as without a budget however many objects they hold and in
// whatever order threads shade them; a hostile file's objects beyond it share the budget.
inline constexpr std::int64_t kOrdinaryRequestPoints = std::int64_t{1} << 16;

// While one lives, drawing, shading and rendering take their oversized requests from one budget
// of `points`; outside (exports, slicing, measuring, pictures rendered to a file) nothing is
// bounded by it. An inner scope keeps the outer one's budget, so a frame is one budget however it
// nests.
class FramePointBudget {
 public:
  explicit FramePointBudget(std::int64_t points = kFramePointBudget,
                            std::int64_t ordinary = kOrdinaryRequestPoints);
  ~FramePointBudget();
  FramePointBudget(const FramePointBudget&) = delete;
  FramePointBudget& operator=(const FramePointBudget&) = delete;

 private:
  bool opened_;
};

// Takes up to `points` (each counted `cost` times) from the running frame's budget and returns
// what it got: all of them outside a frame, for an ordinary request or while the budget holds
// them, else what was left. Safe from several threads.
std::int64_t TakeFramePoints(std::int64_t points, std::int64_t cost = 1);

// Where the running frame's budget stands. Work done side by side takes from the budget in no
// fixed order; when a grant fell short since the mark, the work is done again one object at a
// time from the mark, so which objects drew with fewer steps follows the drawing order.
struct FrameBudgetMark {
  std::int64_t left = 0;
  std::int64_t shortGrants = 0;
};
FrameBudgetMark MarkFrameBudget();
// Whether a grant since `mark` gave less than was asked; if so the budget is set back to `mark`.
bool RewindFrameBudgetIfShort(const FrameBudgetMark& mark);

// What the running frame has taken so far (0 outside a frame).
std::int64_t FramePointsTaken();

// DrawnSteps, taken from the frame's budget: lowered further when the budget holds fewer points
// than the line of `points` extended control points asks for.
int FrameSteps(int steps, std::int64_t points, std::int64_t limit = kMaxDrawnPointsPerDirection);

// The steps of a grid of pointsU x pointsV extended control points, each direction within `limit`
// points (as DrawnSteps), both lowered by one factor when the budget holds fewer than the grid
// asks for, each of its points counted `cost` times. Steps of 0 and 1 are kept.
void FrameGridSteps(int* stepsU, std::int64_t pointsU, int* stepsV, std::int64_t pointsV,
                    std::int64_t limit = kMaxDrawnPointsPerDirection, std::int64_t cost = 1);

// What a point of a grid the software renderer triangulates counts: its two triangles, their
// edges and attributes cost it several times a drawn or shaded point.
inline constexpr std::int64_t kRenderedPointCost = 4;

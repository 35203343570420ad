#pragma once

#include <cstdint>

#include "kernel/bspline_curve.h"

// What one frame may evaluate, all its objects together: the points of the curves it draws and of
// the surface and block tessellations it draws, shades and renders. A real design stays well below
// it (ten thousand curves of forty points each take under half of it); step counts far beyond what
// any view can show reach it. Past it the frame draws its remaining objects with fewer steps, down
// to their control polygons; the objects keep their own steps.
inline constexpr std::int64_t kFramePointBudget = std::int64_t{1} << 20;

// While one lives, drawing, shading and rendering take their points from one budget of `points`;
// outside (exports, slicing, measuring, pictures rendered to a file) nothing is bounded by it. An
// inner scope keeps the outer one's budget, so a frame is one budget however it nests.
class FramePointBudget {
 public:
  explicit FramePointBudget(std::int64_t points = kFramePointBudget);
  ~FramePointBudget();
  FramePointBudget(const FramePointBudget&) = delete;
  FramePointBudget& operator=(const FramePointBudget&) = delete;

 private:
  bool opened_;
};

// Takes up to `points` from the running frame's budget and returns what it got: all of them
// outside a frame or while the budget holds them, else what was left. Safe from several threads.
std::int64_t TakeFramePoints(std::int64_t points);

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

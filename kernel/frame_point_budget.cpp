#include "kernel/frame_point_budget.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

std::atomic<bool> frameOpen{false};
std::atomic<std::int64_t> budget{0};
std::int64_t budgetSize = 0;
std::int64_t ordinaryPoints = 0;
std::atomic<std::int64_t> shortGrants{0};

std::int64_t Spans(std::int64_t points) { return std::max<std::int64_t>(points - 3, 1); }

// The points a line of spans x steps is sampled at, as the budget counts them.
std::int64_t LinePoints(std::int64_t points, int steps) { return Spans(points) * std::max(steps, 1); }

}  // namespace

FramePointBudget::FramePointBudget(std::int64_t points, std::int64_t ordinary) : opened_(!frameOpen.load()) {
  if (!opened_) return;
  budgetSize = points;
  ordinaryPoints = ordinary;
  budget.store(points);
  frameOpen.store(true);
}

FramePointBudget::~FramePointBudget() {
  if (opened_) frameOpen.store(false);
}

std::int64_t TakeFramePoints(std::int64_t points, std::int64_t cost) {
  if (!frameOpen.load(std::memory_order_relaxed) || points <= ordinaryPoints || points <= 0) {
    return points * cost;
  }
  const std::int64_t asked = points * cost;
  std::int64_t left = budget.load(std::memory_order_relaxed);
  while (!budget.compare_exchange_weak(left, left - std::min(left, asked), std::memory_order_relaxed)) {
  }
  if (left < asked) shortGrants.fetch_add(1, std::memory_order_relaxed);
  return std::min(left, asked);
}

FrameBudgetMark MarkFrameBudget() { return {budget.load(), shortGrants.load()}; }

bool RewindFrameBudgetIfShort(const FrameBudgetMark& mark) {
  if (!frameOpen.load() || shortGrants.load() == mark.shortGrants) return false;
  budget.store(mark.left);
  return true;
}

std::int64_t FramePointsTaken() { return frameOpen.load() ? budgetSize - budget.load() : 0; }

int FrameSteps(int steps, std::int64_t points, std::int64_t limit) {
  const int drawn = DrawnSteps(steps, points, limit);
  const std::int64_t granted = TakeFramePoints(LinePoints(points, drawn));
  return DrawnSteps(drawn, points, std::max(granted, Spans(points)));
}

void FrameGridSteps(int* stepsU, std::int64_t pointsU, int* stepsV, std::int64_t pointsV, std::int64_t limit,
                    std::int64_t cost) {
  *stepsU = DrawnSteps(*stepsU, pointsU, limit);
  *stepsV = DrawnSteps(*stepsV, pointsV, limit);
  const std::int64_t lineU = LinePoints(pointsU, *stepsU), lineV = LinePoints(pointsV, *stepsV);
  const std::int64_t wanted = lineU * lineV * cost;
  const std::int64_t granted = TakeFramePoints(lineU * lineV, cost);
  if (granted >= wanted) return;
  // One factor for both directions keeps the grid's proportions.
  const double factor = std::sqrt(static_cast<double>(granted) / static_cast<double>(wanted));
  const auto lower = [factor](int steps) {
    return steps <= 1 ? steps : std::max(1, static_cast<int>(std::floor(steps * factor)));
  };
  *stepsU = lower(*stepsU);
  *stepsV = lower(*stepsV);
}

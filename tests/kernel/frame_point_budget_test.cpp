#include "kernel/frame_point_budget.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>
#include <vector>

#include "program_state.h"

namespace {

using FramePointBudgetTest = LumidrexTest;

// Outside a frame nothing changes: the steps are those of the per-direction bounds alone.
TEST_F(FramePointBudgetTest, OutsideAFrameStepsAreThoseOfTheDirectionBoundsAlone) {
  std::mt19937 random(48);
  std::uniform_int_distribution<int> steps(-2, 1 << 17);
  std::uniform_int_distribution<int> points(0, 5000);
  for (int k = 0; k < 2000; ++k) {
    const int s = steps(random), t = steps(random);
    const int n = points(random), m = points(random);
    EXPECT_EQ(FrameSteps(s, n), DrawnSteps(s, n));
    int u = s, v = t;
    FrameGridSteps(&u, n, &v, m, kMaxDrawnGridSide);
    EXPECT_EQ(u, DrawnSteps(s, n, kMaxDrawnGridSide));
    EXPECT_EQ(v, DrawnSteps(t, m, kMaxDrawnGridSide));
  }
  EXPECT_EQ(TakeFramePoints(std::int64_t{1} << 40), std::int64_t{1} << 40);
  EXPECT_EQ(FramePointsTaken(), 0);
}

// Within a frame every request beyond the ordinary size (none here) is granted whole while the
// budget holds it; past it the steps drop to what is left, and once it is spent to 1 (the control
// polygon); 0 and 1 are always kept. A nested scope is the same frame.
TEST_F(FramePointBudgetTest, AFrameGrantsWholeRequestsUntilItsBudgetIsSpent) {
  const FramePointBudget frame(1000, 0);
  EXPECT_EQ(FrameSteps(8, 53), 8);  // 50 spans: 400 points
  EXPECT_EQ(FramePointsTaken(), 400);
  {
    const FramePointBudget inner(1 << 20);
    EXPECT_EQ(FrameSteps(10, 53), 10);  // 500 more
  }
  EXPECT_EQ(FramePointsTaken(), 900);
  EXPECT_EQ(FrameSteps(8, 23), 5);  // 160 asked, 100 left: 5 steps over 20 spans
  EXPECT_EQ(FramePointsTaken(), 1000);
  EXPECT_EQ(FrameSteps(1 << 16, 13), 1);
  EXPECT_EQ(FrameSteps(0, 13), 0);
  EXPECT_EQ(FrameSteps(1, 13), 1);
  int u = 8, v = 6;
  FrameGridSteps(&u, 10, &v, 10);
  EXPECT_EQ(u, 1);
  EXPECT_EQ(v, 1);
}

// A grid past the budget keeps its proportions and ends within what it was granted.
TEST_F(FramePointBudgetTest, AGridPastTheBudgetLowersBothDirectionsByOneFactor) {
  struct Case {
    std::int64_t budget, cost;
  };
  // Points that cost four each take four times the budget for the same steps.
  for (const Case c : {Case{10000, 1}, Case{40000, 4}}) {
    const FramePointBudget frame(c.budget, 0);
    int u = 64, v = 16;
    FrameGridSteps(&u, 13, &v, 23, kMaxDrawnPointsPerDirection, c.cost);  // 640 x 320 points asked
    EXPECT_EQ(u, 14);  // both times 0.2209..., the root of 10000 / 204800
    EXPECT_EQ(v, 3);
    EXPECT_LE(10 * u * 20 * v * c.cost, c.budget);
    EXPECT_EQ(FramePointsTaken(), c.budget);
  }
}

// Threads shading in parallel share one budget: together they are granted exactly what it holds.
TEST_F(FramePointBudgetTest, ParallelTakersShareTheBudgetExactly) {
  const FramePointBudget frame(1'000'003, 0);
  std::atomic<std::int64_t> granted{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&granted, t] {
      for (int k = 0; k < 20000; ++k) granted += TakeFramePoints(7 + t + k % 13);
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(granted.load(), 1'000'003);
  EXPECT_EQ(FramePointsTaken(), 1'000'003);
}

// Requests up to the ordinary size are granted whole and leave the budget alone, so a real
// design draws the same whatever else the frame holds; the grid's size decides, not its cost.
TEST_F(FramePointBudgetTest, OrdinaryRequestsLeaveTheBudgetAlone) {
  const FramePointBudget frame(1000);
  EXPECT_EQ(TakeFramePoints(kOrdinaryRequestPoints, 4), 4 * kOrdinaryRequestPoints);
  int u = 8, v = 8;
  FrameGridSteps(&u, 35, &v, 35, kMaxDrawnPointsPerDirection, 4);  // 256 x 256 points, cost 4 each
  EXPECT_EQ(u, 8);
  EXPECT_EQ(v, 8);
  EXPECT_EQ(FramePointsTaken(), 0);
  EXPECT_EQ(TakeFramePoints(kOrdinaryRequestPoints + 1), 1000);
}

// A mark taken before work done side by side sets the budget back only when a grant since fell
// short, so the work can be done again in drawing order from where the budget stood.
TEST_F(FramePointBudgetTest, AMarkRewindsOnlyAfterAShortGrant) {
  const FramePointBudget frame(1000, 0);
  TakeFramePoints(100);
  const FrameBudgetMark mark = MarkFrameBudget();
  TakeFramePoints(500);
  EXPECT_FALSE(RewindFrameBudgetIfShort(mark));
  EXPECT_EQ(FramePointsTaken(), 600);
  EXPECT_EQ(TakeFramePoints(700), 400);
  EXPECT_TRUE(RewindFrameBudgetIfShort(mark));
  EXPECT_EQ(FramePointsTaken(), 100);
  EXPECT_EQ(TakeFramePoints(900), 900);
}

}  // namespace

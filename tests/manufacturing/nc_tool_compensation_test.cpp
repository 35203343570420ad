#include "manufacturing/nc_tool_compensation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "manufacturing/nc_passes.h"
#include "nc_reference_compensation.h"
#include "program_state.h"

namespace {

using NcToolCompensationTest = LumidrexTest;

NcJob GridJob(int rows, int columns, float xStep, float yStep) {
  NcJob job;
  job.rows = rows;
  job.columns = columns;
  job.xStep = xStep;
  job.yStep = yStep;
  job.grid.assign(static_cast<std::size_t>(rows) * columns, 0.0f);
  return job;
}

// A 7 x 7 grid at unit steps, flat at -5 with the centre cell raised to -1.
NcJob RaisedCell() {
  NcJob job = GridJob(7, 7, 1.0f, 1.0f);
  for (float& cell : job.grid) cell = -5.0f;
  job.grid[3 * 7 + 3] = -1.0f;
  return job;
}

float At(const NcJob& job, int row, int column) { return job.grid[static_cast<std::size_t>(row) * job.columns + column]; }

TEST_F(NcToolCompensationTest, ToolsOverOneRaisedCell) {
  const double root2 = std::sqrt(2.0);
  struct Case {
    const char* name;
    int tool;
    float radius, offset;
    // Row 3 at columns 3 (over the raised cell), 4 and 5, and the diagonal neighbour (2, 2).
    double centre, one, two, corner;
  };
  const Case cases[] = {
      // One step away a unit ball rests on the cell's edge, sqrt(1 - 1) - 1 below it; the diagonal
      // lies beyond the ball.
      {"ball", 0, 1.0f, 0.0f, -1, -2, -5, -5},
      {"ball offset", 0, 1.0f, 1.0f, 0, std::sqrt(3.0) - 2, -2, root2 - 2},
      // R = 0.5 reaches no neighbour: every cell drops by r - R.
      {"ball small offset", 0, 1.5f, -1.0f, -2, -6, -6, -6},
      // R = -0.5, an offset below -r: an erosion, again reaching no neighbour.
      {"ball below -r", 0, 0.5f, -1.0f, -2, -6, -6, -6},
      {"flat", 1, 1.0f, 0.0f, -1, -1, -5, -5},
      {"flat offset", 1, 1.0f, 1.0f, 0, 0, -1, -1 + std::sqrt(1 - (root2 - 1) * (root2 - 1))},
      // Eroded by a unit ball first: the raised cell falls to its neighbours' -5, the rest to -6;
      // then the flat tool spreads -5 to the orthogonal neighbours.
      {"flat negative", 1, 1.0f, -1.0f, -5, -5, -6, -6},
      // Tip radius 0.5, 90 degrees: at one step the cone's profile is 1 - (0.5 / sin 45 - 0.5).
      {"conical", 2, 1.0f, 0.0f, -1, 0.5 * root2 - 2.5, -5, -5},
      {"conical negative", 2, 1.0f, -1.0f, -5, -5 + 0.5 * root2 - 1.5, -6, -6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NcJob job = RaisedCell();
    NcToolCompensate(job, c.tool, c.radius, c.offset, 0.5f, 90.0f);
    EXPECT_FLOAT_EQ(At(job, 3, 3), static_cast<float>(c.centre));
    EXPECT_FLOAT_EQ(At(job, 3, 4), static_cast<float>(c.one));
    EXPECT_FLOAT_EQ(At(job, 3, 5), static_cast<float>(c.two));
    EXPECT_FLOAT_EQ(At(job, 2, 2), static_cast<float>(c.corner));
    // Grid edges skip outside neighbours rather than failing.
    EXPECT_TRUE(std::isfinite(At(job, 0, 0)));
  }
}

// The bits of every cell: the bounded loop must also pick the same one of 0 and -0.
std::vector<std::uint32_t> Bits(const std::vector<float>& grid) {
  std::vector<std::uint32_t> bits(grid.size());
  std::memcpy(bits.data(), grid.data(), grid.size() * sizeof(float));
  return bits;
}

TEST_F(NcToolCompensationTest, GivesTheGridOfTheStraightforwardLoop) {
  std::mt19937 random(34);
  std::uniform_real_distribution<float> height(-3.0f, 0.0f);
  struct Size {
    int rows, columns;
  };
  // The last is large enough to be shared among threads and wider than one block of bounds.
  const Size sizes[] = {{1, 1}, {1, 7}, {6, 1}, {5, 9}, {40, 33}, {120, 100}};
  const float dx = 0.1f, dy = 0.13f;
  // Rough, a steep slope with a little roughness (where the winner lies far from the centre),
  // and a floor of 0 and -0 with a few pits (where only the order of tying candidates decides).
  const std::function<float(int, int)> surfaces[] = {
      [&](int, int) { return height(random); },
      [&](int row, int column) { return -0.05f * row - 0.3f * column + 0.01f * height(random); },
      [&](int, int) {
        const float h = height(random);
        return h < -2.9f ? h : h < -1.5f ? -0.0f : 0.0f;
      },
  };
  for (const Size& size : sizes) {
    for (const auto& surface : surfaces) {
      std::vector<float> grid(static_cast<std::size_t>(size.rows) * size.columns);
      for (int row = 0; row < size.rows; ++row) {
        for (int column = 0; column < size.columns; ++column) grid[row * size.columns + column] = surface(row, column);
      }
      for (const float steps : {0.5f, 1.0f, 3.7f, 10.0f}) {
        const float r = steps * dx;
        const NcKernel kernels[] = {
            NcBallKernel(r, r, dx, dy, size.rows, size.columns),
            NcBallKernel(r + 0.3f, r, dx, dy, size.rows, size.columns),
            NcBallKernel(-r, 0.0f, dx, dy, size.rows, size.columns),
            NcBallKernel(-r, r * 0.5f, dx, dy, size.rows, size.columns),
            NcFlatKernel(r, 0.0f, dx, dy, size.rows, size.columns),
            NcFlatKernel(r, 0.25f, dx, dy, size.rows, size.columns),
            // An offset of -0: over the floor of 0 and -0, candidates of 0 and -0 tie.
            NcFlatKernel(r, -0.0f, dx, dy, size.rows, size.columns),
            NcConicalKernel(r, 0.0f, 0.05f, 30.0f, dx, dy, size.rows, size.columns),
            NcConicalKernel(r, 0.2f, 0.05f, 150.0f, dx, dy, size.rows, size.columns),
        };
        for (const NcKernel& kernel : kernels) {
          SCOPED_TRACE(testing::Message() << size.rows << " x " << size.columns << ", " << steps << " steps");
          std::vector<float> fast(grid.size()), reference(grid.size());
          NcApplyKernel(grid.data(), size.rows, size.columns, kernel, fast.data());
          ReferenceApplyKernel(grid.data(), size.rows, size.columns, kernel, reference.data());
          ASSERT_EQ(Bits(fast), Bits(reference));
        }
      }
    }
  }
}

TEST_F(NcToolCompensationTest, BallOnASlopeRisesByItsGeometricLift) {
  // z = x tan 30, sampled exactly; the ball touches the plane r / cos 30 - r above its lowest
  // point, less at most step^2 / r where the touching point falls between grid points.
  const float step = 0.05f, r = 0.5f;
  NcJob job = GridJob(41, 61, step, step);
  const double tan30 = std::tan(std::acos(-1.0) / 6);
  for (int row = 0; row < job.rows; ++row) {
    for (int column = 0; column < job.columns; ++column) {
      job.grid[static_cast<std::size_t>(row) * job.columns + column] = static_cast<float>(column * static_cast<double>(step) * tan30);
    }
  }
  const std::vector<float> plane = job.grid;
  NcToolCompensate(job, kNcBallPoint, r, 0.0f, 0.0f, 0.0f);
  const double lift = r / std::cos(std::acos(-1.0) / 6) - r;
  for (int row = 10; row < job.rows - 10; ++row) {
    for (int column = 10; column < job.columns - 10; ++column) {
      const std::size_t cell = static_cast<std::size_t>(row) * job.columns + column;
      const double rise = static_cast<double>(job.grid[cell]) - plane[cell];
      ASSERT_LE(rise, lift + 1e-5);
      ASSERT_GE(rise, lift - step * step / r - 1e-5);
    }
  }
}

TEST_F(NcToolCompensationTest, NegativeNegatesThenGrowsTheCavity) {
  NcJob job = GridJob(4, 4, 1.0f, 1.0f);
  job.grid = {-1, 2, 3, -4,  //
              5, -6, 7, 8,   //
              9, 10, -11, 12,
              13, 14, 15, 0};
  NcMakeNegative(job);
  const std::vector<float> expected = {0, -2, -3, 0,  //
                                       -5, -10, -12, -8,
                                       -9, -15, -15, -12,
                                       -13, -14, -15, 0};
  EXPECT_EQ(job.grid, expected);
}

}  // namespace

#include "manufacturing/nc_tool_compensation.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <utility>

#include "manufacturing/nc_passes.h"
#include "platform/parallel_for.h"

namespace {

// Values the kernels give beyond the tool's reach: never the winning candidate.
constexpr double kBallOutside = 999.0;
constexpr double kFlatOutside = -99.0;
// Half the cone angle, in radians, per degree of the full angle.
constexpr double kHalfAngleRadiansPerDegree = 0.008726646259971648;

// The reach of a radius in whole steps, at most the grid's extent less one.
int Reach(float radius, float step, int cells) {
  const double reach = std::floor(std::fabs(static_cast<double>(radius)) / step);
  const double most = std::max(cells - 1, 0);
  return static_cast<int>(std::min(reach, most));
}

// A kernel whose value depends on the distance alone.
NcKernel MakeKernel(float radius, float xStep, float yStep, int rows, int columns,
                    const std::function<double(double)>& value) {
  NcKernel kernel;
  kernel.rowReach = Reach(radius, yStep, rows);
  kernel.columnReach = Reach(radius, xStep, columns);
  kernel.values.resize(static_cast<std::size_t>(kernel.rowReach + 1) * (kernel.columnReach + 1));
  for (int i = 0; i <= kernel.rowReach; ++i) {
    for (int j = 0; j <= kernel.columnReach; ++j) {
      const double across = j * static_cast<double>(xStep);
      const double along = i * static_cast<double>(yStep);
      kernel.values[static_cast<std::size_t>(i) * (kernel.columnReach + 1) + j] =
          static_cast<float>(value(std::sqrt(across * across + along * along)));
    }
  }
  return kernel;
}

// Output columns bounded together: a block of cells skips the kernel entries none of its cells
// can take.
constexpr int kBlockColumns = 32;
// The entries at most this many steps from the centre on both axes give every cell a first
// value, which the bounds are held against.
constexpr int kFirstReach = 8;

// The better of two values: the higher for a dilation, the lower for an erosion. Ties and a
// value that is not a number keep the first, as the candidate loops do.
float Better(float a, float b, bool erosion) { return erosion ? std::min(a, b) : std::max(a, b); }

// Bounds on the candidates a block of cells meets. A candidate is a source height plus a kernel
// value; float addition keeps order, so the best source height within the block's reach plus the
// best value of the kernel row from the entry's column outwards bounds every candidate of that
// entry and of the entries beyond it. An entry whose bound is strictly worse than every first
// value of the block cannot win nor tie there: skipping it leaves every cell, to the last bit,
// as the full loop leaves it.
class EntryBounds {
 public:
  EntryBounds(const float* source, int rows, int columns, const NcKernel& kernel)
      : columns_(kernel.columnReach + 1),
        blocks_((columns + kBlockColumns - 1) / kBlockColumns),
        erosion_(kernel.erosion),
        valueFrom_(kernel.values.size()),
        sourceBest_(static_cast<std::size_t>(rows) * blocks_) {
    const float none = erosion_ ? kInfinity : -kInfinity;
    for (int i = 0; i <= kernel.rowReach; ++i) {
      float best = none;
      for (int j = kernel.columnReach; j >= 0; --j) {
        best = Better(best, kernel.at(i, j), erosion_);
        valueFrom_[static_cast<std::size_t>(i) * columns_ + j] = best;
      }
    }
    for (int row = 0; row < rows; ++row) {
      const float* const line = source + static_cast<std::size_t>(row) * columns;
      for (int block = 0; block < blocks_; ++block) {
        const int first = std::max(0, block * kBlockColumns - kernel.columnReach);
        const int end = std::min(columns, (block + 1) * kBlockColumns + kernel.columnReach);
        float best = none;
        for (int c = first; c < end; ++c) best = Better(best, line[c], erosion_);
        sourceBest_[static_cast<std::size_t>(row) * blocks_ + block] = best;
      }
    }
  }

  int blocks() const { return blocks_; }

  // The entries of kernel row i within Reach columns of the centre may better a value of the
  // block no worse than floor, those beyond may not; source row from gives the candidates.
  int Reach(int from, int i, int block, float floor) const {
    const float source = sourceBest_[static_cast<std::size_t>(from) * blocks_ + block];
    const float* const values = valueFrom_.data() + static_cast<std::size_t>(i) * columns_;
    // Infinite bounds could meet as a sum that is not a number, which orders with nothing.
    if (!std::isfinite(source) || !std::isfinite(values[0]) || !std::isfinite(floor)) return columns_;
    int low = 0;
    int high = columns_;
    while (low < high) {
      const int middle = (low + high) / 2;
      const float bound = source + values[middle];
      if (erosion_ ? bound > floor : bound < floor) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    return low;
  }

 private:
  static constexpr float kInfinity = std::numeric_limits<float>::infinity();

  int columns_;
  int blocks_;
  bool erosion_;
  std::vector<float> valueFrom_;   // kernel rows x columns: the best value from the column outwards
  std::vector<float> sourceBest_;  // source rows x blocks: the best height within the block's reach
};

// One kernel entry's candidates for the output columns [first, end) of one row: a run of columns
// at a time, which the compiler turns into vector instructions.
void ApplyOffset(const float* source, float* out, int first, int end, int columns, int j, float k, bool erosion) {
  first = std::max(first, -j);
  end = std::min(end, columns - j);
  const float* const shifted = source + j;
  if (erosion) {
    for (int c = first; c < end; ++c) out[c] = std::min(out[c], shifted[c] + k);
  } else {
    for (int c = first; c < end; ++c) out[c] = std::max(out[c], shifted[c] + k);
  }
}

// The entries within reach steps of the centre on both axes, in the order of the full loop.
void ApplyCentre(const float* source, int rows, int columns, const NcKernel& kernel, int row, int reach, float* out) {
  const int rowReach = std::min(reach, kernel.rowReach);
  const int columnReach = std::min(reach, kernel.columnReach);
  for (int i = -rowReach; i <= rowReach; ++i) {
    const int from = row + i;
    if (from < 0 || from >= rows) continue;
    const float* const line = source + static_cast<std::size_t>(from) * columns;
    for (int j = -columnReach; j <= columnReach; ++j) {
      ApplyOffset(line, out, 0, columns, columns, j, kernel.at(std::abs(i), std::abs(j)), kernel.erosion);
    }
  }
}

// Every cell takes its candidates in the order of the straightforward loop (kernel rows, then
// columns), less the entries its block's bounds rule out.
void ApplyRows(const float* source, int rows, int columns, const NcKernel& kernel, const EntryBounds& bounds,
               float* out, int firstRow, int endRow) {
  std::vector<float> first(static_cast<std::size_t>(columns));
  std::vector<float> floors(static_cast<std::size_t>(bounds.blocks()));
  const float worst = kernel.erosion ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
  for (int row = firstRow; row < endRow; ++row) {
    std::fill(first.begin(), first.end(), kernel.start);
    ApplyCentre(source, rows, columns, kernel, row, kFirstReach, first.data());
    for (int block = 0; block < bounds.blocks(); ++block) {
      const auto begin = first.begin() + block * kBlockColumns;
      const auto end = first.begin() + std::min(columns, (block + 1) * kBlockColumns);
      floors[static_cast<std::size_t>(block)] =
          std::accumulate(begin, end, worst, [&](float a, float b) { return Better(a, b, !kernel.erosion); });
    }
    float* const target = out + static_cast<std::size_t>(row) * columns;
    std::fill(target, target + columns, kernel.start);
    for (int i = -kernel.rowReach; i <= kernel.rowReach; ++i) {
      const int from = row + i;
      if (from < 0 || from >= rows) continue;
      const float* const line = source + static_cast<std::size_t>(from) * columns;
      for (int block = 0; block < bounds.blocks(); ++block) {
        const int reach = bounds.Reach(from, std::abs(i), block, floors[static_cast<std::size_t>(block)]);
        const int begin = block * kBlockColumns;
        const int end = std::min(columns, begin + kBlockColumns);
        for (int j = 1 - reach; j < reach; ++j) {
          ApplyOffset(line, target, begin, end, columns, j, kernel.at(std::abs(i), std::abs(j)), kernel.erosion);
        }
      }
    }
  }
}

}  // namespace

NcKernel NcBallKernel(float radius, float shift, float xStep, float yStep, int rows, int columns) {
  const double r = radius;
  const double s = shift;
  const bool erosion = radius < 0.0f;
  NcKernel kernel = MakeKernel(radius, xStep, yStep, rows, columns, [r, s, erosion](double d) {
    if (d > std::fabs(r)) return (erosion ? kBallOutside : -kBallOutside) - s;
    const double height = std::sqrt(r * r - d * d);
    return (erosion ? -height : height) - s;
  });
  kernel.erosion = erosion;
  kernel.start = erosion ? 9999.0f : -9999.0f;
  return kernel;
}

NcKernel NcFlatKernel(float toolRadius, float offset, float xStep, float yStep, int rows, int columns) {
  const double r = toolRadius;
  const double o = offset;
  const float reach = toolRadius + offset;
  const double R = reach;
  return MakeKernel(reach, xStep, yStep, rows, columns, [r, o, R](double d) {
    if (d <= r) return o;
    if (d <= R) return std::sqrt(std::max(0.0, o * o - (d - r) * (d - r)));
    return kFlatOutside;
  });
}

NcKernel NcConicalKernel(float toolRadius, float offset, float tipRadius, float tipAngle, float xStep, float yStep,
                         int rows, int columns) {
  const float reach = toolRadius + offset;
  const double R = reach;
  const double o = offset;
  const double t = static_cast<double>(offset + tipRadius);
  const double a = tipAngle * kHalfAngleRadiansPerDegree;
  const double J = t / std::sin(a) - t;
  const double K = 1.0 / std::tan(a);
  const double B = t * std::cos(a);
  return MakeKernel(reach, xStep, yStep, rows, columns, [=](double d) {
    if (d > R) return kFlatOutside;
    const double profile = d < B ? t - std::sqrt(t * t - d * d) : d * K - J;
    return o - profile;
  });
}

void NcApplyKernel(const float* source, int rows, int columns, const NcKernel& kernel, float* out) {
  const auto work = static_cast<double>(rows) * columns * (2 * kernel.rowReach + 1) * (2 * kernel.columnReach + 1);
  const EntryBounds bounds(source, rows, columns, kernel);
  // Every row is its own, so the blocks of rows may run side by side.
  const int blocks = work < 1e6 ? 1 : std::max(std::min(UsableCores(), rows), 1);
  ParallelFor(static_cast<std::size_t>(blocks), [&](std::size_t k) {
    const int first = static_cast<int>(static_cast<long long>(rows) * static_cast<long long>(k) / blocks);
    const int end = static_cast<int>(static_cast<long long>(rows) * static_cast<long long>(k + 1) / blocks);
    ApplyRows(source, rows, columns, kernel, bounds, out, first, end);
  });
}

void NcBallOffsetGrid(const NcJob& job, float radius, float shift, std::vector<float>* out) {
  const NcKernel kernel = NcBallKernel(radius, shift, job.xStep, job.yStep, job.rows, job.columns);
  out->resize(job.grid.size());
  NcApplyKernel(job.grid.data(), job.rows, job.columns, kernel, out->data());
}

void NcToolCompensate(NcJob& job, int tool, float toolRadius, float offsetRadius, float tipRadius, float tipAngle) {
  std::vector<float> result;
  if (tool != kNcFlatEnd && tool != kNcConical) {
    NcBallOffsetGrid(job, toolRadius + offsetRadius, toolRadius, &result);
    job.grid.swap(result);
    return;
  }
  if (offsetRadius < 0.0f) {
    NcBallOffsetGrid(job, offsetRadius, 0.0f, &result);
    job.grid.swap(result);
    offsetRadius = 0.0f;
  }
  const NcKernel kernel =
      tool == kNcFlatEnd
          ? NcFlatKernel(toolRadius, offsetRadius, job.xStep, job.yStep, job.rows, job.columns)
          : NcConicalKernel(toolRadius, offsetRadius, tipRadius, tipAngle, job.xStep, job.yStep, job.rows, job.columns);
  result.resize(job.grid.size());
  NcApplyKernel(job.grid.data(), job.rows, job.columns, kernel, result.data());
  job.grid.swap(result);
}

void NcMakeNegative(NcJob& job) {
  for (float& cell : job.grid) cell = cell < 0.0f ? 0.0f : -cell;
  const std::vector<float> first = job.grid;
  const int columns = job.columns;
  for (int row = 1; row + 1 < job.rows; ++row) {
    for (int column = 1; column + 1 < columns; ++column) {
      float least = first[static_cast<std::size_t>(row) * columns + column];
      for (int i = -1; i <= 1; ++i) {
        for (int j = -1; j <= 1; ++j) {
          least = std::min(least, first[static_cast<std::size_t>(row + i) * columns + column + j]);
        }
      }
      job.grid[static_cast<std::size_t>(row) * columns + column] = least;
    }
  }
}

#pragma once

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "manufacturing/nc_tool_compensation.h"

// The straightforward loop: every cell visits every neighbour within the kernel's reach, in
// order. The optimised NcApplyKernel must give the same grid; the tests and the benchmark hold
// it against this.
inline void ReferenceApplyKernel(const float* source, int rows, int columns, const NcKernel& kernel, float* out) {
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      float best = kernel.start;
      for (int i = -kernel.rowReach; i <= kernel.rowReach; ++i) {
        if (row + i < 0 || row + i >= rows) continue;
        for (int j = -kernel.columnReach; j <= kernel.columnReach; ++j) {
          if (column + j < 0 || column + j >= columns) continue;
          const float candidate = source[(row + i) * columns + column + j] + kernel.at(std::abs(i), std::abs(j));
          best = kernel.erosion ? std::min(best, candidate) : std::max(best, candidate);
        }
      }
      out[row * columns + column] = best;
    }
  }
}

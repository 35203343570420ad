#pragma once

#include <cmath>

// Steps that the engine's int rows and columns still take.
inline constexpr double kMostGridSteps = 1 << 30;

// A step below this is refused: the grid would be too fine to scan.
inline constexpr double kLeastGridStep = 0.00001;

inline bool GridStepUsable(double step) { return std::isfinite(step) && step >= kLeastGridStep; }

// ceil(|extent| / step) computed in double; -1 when it is not a count the engine can scan.
inline double GridCount(double extent, double step) {
  const double count = std::ceil(std::fabs(extent) / step);
  return std::isfinite(count) && count <= kMostGridSteps ? count : -1;
}

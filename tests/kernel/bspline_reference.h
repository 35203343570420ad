#pragma once

#include <gtest/gtest.h>

#include <string>

#include "kernel/vector3.h"

// Independent references for checking the B-spline kernel: the cubic basis functions in double,
// and a per-axis comparison within a tolerance.

inline void CubicBasisWeights(double t, double w[4]) {
  w[0] = (1 - t) * (1 - t) * (1 - t) / 6;
  w[1] = (3 * t * t * t - 6 * t * t + 4) / 6;
  w[2] = (-3 * t * t * t + 3 * t * t + 3 * t + 1) / 6;
  w[3] = t * t * t / 6;
}

inline void ExpectNear(Vector3 actual, Vector3 expected, float tolerance,
                       const std::string& where) {
  EXPECT_NEAR(actual.x, expected.x, tolerance) << where;
  EXPECT_NEAR(actual.y, expected.y, tolerance) << where;
  EXPECT_NEAR(actual.z, expected.z, tolerance) << where;
}

#pragma once

#include <vector>

// A point in double: exact evaluation and fitting work in double, and only the fitted net is
// stored in float.
struct Point3d {
  double x = 0, y = 0, z = 0;
};

// A rational B-spline surface as an IGES entity 128 gives it: its own degrees, knots, weights and
// control points, with the parameter range it is trimmed to. Control point (k, j) lies at
// k + j * countU, the first index running fastest as in the file.
struct RationalBSplineSurface {
  int degreeU = 0;
  int degreeV = 0;
  int countU = 0;
  int countV = 0;
  std::vector<double> knotsU;  // countU + degreeU + 1 values
  std::vector<double> knotsV;  // countV + degreeV + 1 values
  std::vector<double> weights;
  std::vector<Point3d> points;
  double u0 = 0, u1 = 0, v0 = 0, v1 = 0;

  // Whether the surface can be evaluated: sizes that fit the counts, knots that never fall,
  // finite positive weights, and a range of some length within the knots (the range is clamped
  // into them first).
  bool MakeUsable();
  // The point at (u, v), each clamped into the range.
  Point3d Evaluate(double u, double v) const;
};

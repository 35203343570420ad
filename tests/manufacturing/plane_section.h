#pragma once

// A mesh cut by the plane at a height, computed in double from its triangles, and the check that a
// slice layer reaches as far as that section on the slicer's columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "manufacturing/slc_reader.h"

// The section's area and perimeter (with the outline oriented by the triangles' facing, so the
// area is right for a closed outward mesh) and its outline's pieces (x0, y0, x1, y1).
struct PlaneSection {
  double area = 0;
  double perimeter = 0;
  std::vector<std::array<double, 4>> pieces;
};

// corner(t, k) gives corner k of triangle t as three doubles.
template <class Corner>
PlaneSection SectionOfTriangles(std::size_t triangles, const Corner& corner, double z) {
  PlaneSection section;
  double twice = 0;
  for (std::size_t t = 0; t < triangles; ++t) {
    std::array<std::array<double, 3>, 3> p;
    for (int k = 0; k < 3; ++k) p[static_cast<std::size_t>(k)] = corner(t, k);
    std::vector<std::array<double, 2>> cut;
    for (std::size_t k = 0; k < 3; ++k) {
      const auto& u = p[k];
      const auto& w = p[(k + 1) % 3];
      if ((u[2] < z) == (w[2] < z)) continue;
      const double s = (z - u[2]) / (w[2] - u[2]);
      cut.push_back({u[0] + s * (w[0] - u[0]), u[1] + s * (w[1] - u[1])});
    }
    if (cut.size() != 2) continue;
    const double n[2] = {(p[1][1] - p[0][1]) * (p[2][2] - p[0][2]) - (p[1][2] - p[0][2]) * (p[2][1] - p[0][1]),
                         (p[1][2] - p[0][2]) * (p[2][0] - p[0][0]) - (p[1][0] - p[0][0]) * (p[2][2] - p[0][2])};
    // The outline runs with the solid on its left: its direction turned clockwise is the normal.
    if ((cut[1][1] - cut[0][1]) * n[0] - (cut[1][0] - cut[0][0]) * n[1] < 0) std::swap(cut[0], cut[1]);
    twice += cut[0][0] * cut[1][1] - cut[1][0] * cut[0][1];
    section.perimeter += std::hypot(cut[1][0] - cut[0][0], cut[1][1] - cut[0][1]);
    section.pieces.push_back({cut[0][0], cut[0][1], cut[1][0], cut[1][1]});
  }
  section.area = twice / 2;
  return section;
}

// The x range where the line at y crosses the section's outline; empty (lo > hi) when it misses.
inline std::pair<double, double> CrossingsAt(const PlaneSection& section, double y) {
  std::pair<double, double> range{1e30, -1e30};
  for (const auto& [x0, y0, x1, y1] : section.pieces) {
    if ((y0 < y) == (y1 < y)) continue;
    const double x = x0 + (y - y0) / (y1 - y0) * (x1 - x0);
    range = {std::min(range.first, x), std::max(range.second, x)};
  }
  return range;
}

struct ExtentBox {
  double x0 = 1e30, x1 = -1e30, y0 = 1e30, y1 = -1e30;
  void Add(double x, double y) {
    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  }
};

// Where the slicer's columns sample y: (yOffset + c) * step for c = 0 .. columns.
struct SliceColumns {
  float yOffset;
  int columns;
  float step;
  float Y(int c) const { return (yOffset + static_cast<float>(c)) * step; }
};

// The box of the section over the columns that cross it; with a hair, a column counts that the
// section comes within a hair of.
inline ExtentBox SampledBox(const PlaneSection& section, const SliceColumns& grid, double hair) {
  ExtentBox box;
  for (int c = 0; c <= grid.columns; ++c) {
    const double y = grid.Y(c);
    const auto [a0, a1] = CrossingsAt(section, y - hair);
    const auto [b0, b1] = CrossingsAt(section, y + hair);
    if (std::min(a0, b0) > std::max(a1, b1)) continue;
    box.Add(std::min(a0, b0), y);
    box.Add(std::max(a1, b1), y);
  }
  return box;
}

// Whether at least two neighbouring columns cross the section: only then has a traced layer area.
inline bool ColumnsHoldSection(const PlaneSection& section, const SliceColumns& grid) {
  int run = 0;
  for (int c = 0; c <= grid.columns; ++c) {
    const auto [x0, x1] = CrossingsAt(section, grid.Y(c));
    run = x0 <= x1 ? run + 1 : 0;
    if (run >= 2) return true;
  }
  return false;
}

// The layer's contours reach on every side as far as the section does on the columns: no less
// than where the columns cross it, no more than where they come within a hair (exactly there when
// nothing lies that near a column without lying on it), and within a step of the whole section.
// Depths (x) are found by float steps along a span, so they get a tolerance of their own.
inline void ExpectLayerReachesSection(const SlcLayer& layer, const PlaneSection& section, const SliceColumns& grid,
                                      double hair, double depthTolerance, bool exact) {
  ExtentBox box;
  for (const auto& ring : layer.boundaries) {
    for (const SlcPoint& p : ring) box.Add(p.x, p.y);
  }
  ExtentBox whole;
  for (const auto& [x0, y0, x1, y1] : section.pieces) whole.Add(x0, y0), whole.Add(x1, y1);
  const ExtentBox strict = SampledBox(section, grid, 0);
  const ExtentBox loose = SampledBox(section, grid, hair);
  const double e = 1e-4;
  const double d = depthTolerance;
  EXPECT_TRUE(box.x0 >= loose.x0 - d && box.x0 <= strict.x0 + d) << box.x0 << " " << strict.x0;
  EXPECT_TRUE(box.x1 <= loose.x1 + d && box.x1 >= strict.x1 - d) << box.x1 << " " << strict.x1;
  EXPECT_TRUE(box.y0 >= loose.y0 - e && box.y0 <= strict.y0 + e) << box.y0 << " " << strict.y0;
  EXPECT_TRUE(box.y1 <= loose.y1 + e && box.y1 >= strict.y1 - e) << box.y1 << " " << strict.y1;
  EXPECT_LT(box.y0 - whole.y0, grid.step);
  EXPECT_LT(whole.y1 - box.y1, grid.step);
  if (!exact) return;
  EXPECT_NEAR(box.x0, loose.x0, d);
  EXPECT_NEAR(box.x1, loose.x1, d);
  EXPECT_NEAR(box.y0, loose.y0, e);
  EXPECT_NEAR(box.y1, loose.y1, e);
}

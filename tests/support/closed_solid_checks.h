#pragma once

// Checks of a triangle surface that should close a solid, computed apart from the code that made
// it: every edge shared by exactly two triangles running it in opposite directions, and the
// signed volume in double.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <utility>
#include <vector>

#include "kernel/vector3.h"

// The directed edges that have no partner running the other way, plus those used more than once,
// with points that are equal counted as one, as a reader of triangle files welds them.
inline int OpenEdges(std::span<const Vector3> points, std::span<const std::int32_t> triangles) {
  using Key = std::array<float, 3>;
  const auto key = [&](std::int32_t i) {
    const Vector3 p = points[static_cast<std::size_t>(i)];
    return Key{p.x, p.y, p.z};
  };
  std::map<std::pair<Key, Key>, int> edges;
  for (std::size_t f = 0; f + 2 < triangles.size(); f += 3) {
    for (int k = 0; k < 3; ++k) ++edges[{key(triangles[f + k]), key(triangles[f + (k + 1) % 3])}];
  }
  int open = 0;
  for (const auto& [edge, count] : edges) {
    const auto back = edges.find({edge.second, edge.first});
    if (count != 1 || back == edges.end() || back->second != 1) ++open;
  }
  return open;
}

// The volume the triangles enclose, positive when they face out.
inline double SignedVolume(std::span<const Vector3> points, std::span<const std::int32_t> triangles) {
  double sum = 0;
  for (std::size_t f = 0; f + 2 < triangles.size(); f += 3) {
    const Vector3 a = points[static_cast<std::size_t>(triangles[f])];
    const Vector3 b = points[static_cast<std::size_t>(triangles[f + 1])];
    const Vector3 c = points[static_cast<std::size_t>(triangles[f + 2])];
    sum += double{a.x} * (double{b.y} * c.z - double{b.z} * c.y) - double{a.y} * (double{b.x} * c.z - double{b.z} * c.x) +
           double{a.z} * (double{b.x} * c.y - double{b.y} * c.x);
  }
  return sum / 6;
}

// The area a closed profile's curve encloses in the x-y plane, counter-clockwise positive: the
// uniform cubic B-spline of its points sampled in double at the steps per span, or its polygon
// for 0 steps.
inline double ClosedCurveArea(std::span<const Vector3> points, int steps) {
  const std::size_t n = points.size();
  std::vector<std::pair<double, double>> ring;
  if (steps <= 0) {
    for (const Vector3& p : points) ring.emplace_back(p.x, p.y);
  } else {
    for (std::size_t span = 0; span < n; ++span) {
      for (int s = 0; s < steps; ++s) {
        const double t = double(s) / steps;
        const double w[4] = {(1 - t) * (1 - t) * (1 - t) / 6, (3 * t * t * t - 6 * t * t + 4) / 6,
                             (-3 * t * t * t + 3 * t * t + 3 * t + 1) / 6, t * t * t / 6};
        double x = 0, y = 0;
        for (std::size_t k = 0; k < 4; ++k) {
          const Vector3& p = points[(span + n - 1 + k) % n];
          x += w[k] * p.x;
          y += w[k] * p.y;
        }
        ring.emplace_back(x, y);
      }
    }
  }
  double twice = 0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const auto& [ax, ay] = ring[i];
    const auto& [bx, by] = ring[(i + 1) % ring.size()];
    twice += ax * by - bx * ay;
  }
  return twice / 2;
}

#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "kernel/surface_object.h"
#include "manufacturing/iges_writer.h"

// The exchange benchmarks' inputs, also written for the peer comparison
// (bench/exchange_peer_compare.sh).

// An open wavy sheet of 500 x 500 control points.
inline std::unique_ptr<CSurfaceObject> BenchIgesSurface() {
  constexpr int kSide = 500;
  std::vector<Vector3> grid;
  grid.reserve(kSide * kSide);
  for (int i = 0; i < kSide; ++i) {
    for (int j = 0; j < kSide; ++j) {
      grid.push_back({0.1f * i, 0.1f * j, static_cast<float>(std::sin(0.05 * i) * std::cos(0.07 * j))});
    }
  }
  auto surface = std::make_unique<CSurfaceObject>();
  surface->SetGrid(kSide, kSide, std::move(grid));
  return surface;
}

inline bool WriteBenchIges(const CSurfaceObject& surface, const std::string& path) { return IgesWriter(&surface, path); }

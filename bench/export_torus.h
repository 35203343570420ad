#pragma once

// The torus mesh the exchange writers are timed on, and where their files go.

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "kernel/mesh_object.h"

inline constexpr int kAround = 1000;
inline constexpr int kAcross = 500;
inline constexpr std::int64_t kTorusFacets = 2LL * kAround * kAcross;

inline Vector3 TorusPoint(double a, double b) {
  const double r = 20 + 6 * std::cos(b);
  return {static_cast<float>(r * std::cos(a)), static_cast<float>(r * std::sin(a)),
          static_cast<float>(6 * std::sin(b))};
}

// 500,000 quads round a torus: 1,000,000 facets once fanned.
inline const CMeshObject& TorusMesh() {
  static const std::unique_ptr<CMeshObject> mesh = [] {
    auto m = std::make_unique<CMeshObject>();
    std::vector<Vector3> points;
    for (int i = 0; i < kAround; ++i) {
      for (int j = 0; j < kAcross; ++j) {
        points.push_back(TorusPoint(6.283185307179586 * i / kAround, 6.283185307179586 * j / kAcross));
      }
    }
    const int count = static_cast<int>(points.size());
    m->SetPoints(count, std::move(points));
    const auto at = [](int i, int j) { return (i % kAround) * kAcross + j % kAcross; };
    for (int i = 0; i < kAround; ++i) {
      for (int j = 0; j < kAcross; ++j) {
        m->faceSizes.push_back(4);
        m->faceIndices.insert(m->faceIndices.end(), {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)});
      }
    }
    return m;
  }();
  return *mesh;
}

inline std::string BenchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}


#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "kernel/mesh_object.h"

// A closed box [lo, hi] as a mesh of outward quads.
inline std::unique_ptr<CMeshObject> BoxMesh(Vector3 lo, Vector3 hi) {
  auto mesh = std::make_unique<CMeshObject>();
  std::vector<Vector3> corners;
  for (int i = 0; i < 8; ++i) {
    corners.push_back({(i & 1) != 0 ? hi.x : lo.x, (i & 2) != 0 ? hi.y : lo.y, (i & 4) != 0 ? hi.z : lo.z});
  }
  mesh->SetPoints(8, corners);
  EXPECT_TRUE(mesh->SetFaces({4, 4, 4, 4, 4, 4},
                             {0, 2, 3, 1, 4, 5, 7, 6, 0, 1, 5, 4, 2, 6, 7, 3, 0, 4, 6, 2, 1, 3, 7, 5}));
  return mesh;
}

// A closed, outward mesh round the centre whose radius at each point is drawn from the seed
// between 1 - bump and 1 + bump times radius: concave where bump is large. Quads between the
// bands (each split into two triangles when asked), triangles at the poles.
inline std::unique_ptr<CMeshObject> BumpySphereMesh(unsigned seed, Vector3 centre, float radius, float bump,
                                                    int around, int bands, bool split = false) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> scale(1.0 - bump, 1.0 + bump);
  std::vector<Vector3> points;
  for (int i = 0; i <= bands; ++i) {
    const double polar = std::numbers::pi * i / bands;
    for (int j = 0; j < around; ++j) {
      const double azimuth = 2 * std::numbers::pi * j / around;
      const double r = radius * ((i == 0 || i == bands) ? 1.0 : scale(random));
      points.push_back({static_cast<float>(centre.x + r * std::sin(polar) * std::cos(azimuth)),
                        static_cast<float>(centre.y + r * std::sin(polar) * std::sin(azimuth)),
                        static_cast<float>(centre.z + r * std::cos(polar))});
    }
  }
  std::vector<std::int32_t> sizes;
  std::vector<std::int32_t> indices;
  for (int i = 0; i < bands; ++i) {
    for (int j = 0; j < around; ++j) {
      const int k = (j + 1) % around;
      const int a = i * around + j, b = i * around + k, c = (i + 1) * around + k, d = (i + 1) * around + j;
      std::vector<std::vector<std::int32_t>> faces;
      if (i == 0) {
        faces = {{a, d, c}};
      } else if (i == bands - 1) {
        faces = {{a, d, b}};
      } else if (split) {
        faces = {{a, d, c}, {a, c, b}};
      } else {
        faces = {{a, d, c, b}};
      }
      for (const auto& face : faces) {
        sizes.push_back(static_cast<std::int32_t>(face.size()));
        indices.insert(indices.end(), face.begin(), face.end());
      }
    }
  }
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(static_cast<int>(points.size()), points);
  EXPECT_TRUE(mesh->SetFaces(sizes, indices));
  return mesh;
}

// A closed, outward torus of triangles round the z axis through the centre.
inline std::unique_ptr<CMeshObject> TorusMesh(Vector3 centre, float major, float minor, int around, int bands) {
  std::vector<Vector3> points;
  for (int i = 0; i < around; ++i) {
    const double a = 2 * std::numbers::pi * i / around;
    for (int j = 0; j < bands; ++j) {
      const double b = 2 * std::numbers::pi * j / bands;
      const double r = major + minor * std::cos(b);
      points.push_back({static_cast<float>(centre.x + r * std::cos(a)), static_cast<float>(centre.y + r * std::sin(a)),
                        static_cast<float>(centre.z + minor * std::sin(b))});
    }
  }
  std::vector<std::int32_t> indices;
  for (int i = 0; i < around; ++i) {
    for (int j = 0; j < bands; ++j) {
      const int p = i * bands + j, q = ((i + 1) % around) * bands + j;
      const int pn = i * bands + (j + 1) % bands, qn = ((i + 1) % around) * bands + (j + 1) % bands;
      indices.insert(indices.end(), {p, q, qn, p, qn, pn});
    }
  }
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(static_cast<int>(points.size()), points);
  EXPECT_TRUE(mesh->SetFaces(std::vector<std::int32_t>(indices.size() / 3, 3), indices));
  return mesh;
}

// Triangles with corners drawn from the seed inside [lo, hi]: open, crossing and facing anyhow.
inline std::unique_ptr<CMeshObject> TriangleSoupMesh(unsigned seed, Vector3 lo, Vector3 hi, int count) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  std::vector<Vector3> points;
  for (int i = 0; i < 3 * count; ++i) {
    points.push_back({lo.x + (hi.x - lo.x) * unit(random), lo.y + (hi.y - lo.y) * unit(random),
                      lo.z + (hi.z - lo.z) * unit(random)});
  }
  std::vector<std::int32_t> indices(points.size());
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::int32_t>(i);
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(static_cast<int>(points.size()), points);
  EXPECT_TRUE(mesh->SetFaces(std::vector<std::int32_t>(count, 3), indices));
  return mesh;
}

#pragma once

#include <gtest/gtest.h>

#include <memory>
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

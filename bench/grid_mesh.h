#pragma once

#include <cmath>
#include <memory>
#include <vector>

#include "kernel/mesh_object.h"

// Two triangles for each quad of a columns x rows grid over -20..20 in x and y, gently waved.
inline std::unique_ptr<CMeshObject> GridMesh(int columns, int rows) {
  auto mesh = std::make_unique<CMeshObject>();
  std::vector<Vector3> points;
  for (int i = 0; i <= rows; ++i) {
    for (int j = 0; j <= columns; ++j) {
      const float x = -20.0f + 40.0f * static_cast<float>(j) / static_cast<float>(columns);
      const float y = -20.0f + 40.0f * static_cast<float>(i) / static_cast<float>(rows);
      points.push_back({x, y, std::sin(x) * std::cos(y)});
    }
  }
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      const int v = i * (columns + 1) + j;
      mesh->faceSizes.insert(mesh->faceSizes.end(), {3, 3});
      mesh->faceIndices.insert(mesh->faceIndices.end(),
                               {v, v + 1, v + columns + 2, v, v + columns + 2, v + columns + 1});
    }
  }
  mesh->SetPoints(static_cast<int>(points.size()), points);
  return mesh;
}

#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "exchange/import_result.h"
#include "kernel/mesh_object.h"
#include "scene/scene.h"

// Adds an object read from a file, selected on the current layer, and counts it. Null, with
// nothing counted, while no view is active.
template <class T>
T* AddImportedObject(std::unique_ptr<T> object, ImportResult* result) {
  T* added = AddObject(object, 1);
  if (object != nullptr) return nullptr;
  ++result->added;
  return added;
}

// Where the mapping frame of an imported mesh is fitted: the STL reader fits it to the points as
// read, the DXF reader to the points left after welding.
enum class MappingFit { kToPointsRead, kToWeldedPoints };

// Adds a smooth-shaded mesh of the given faces over the given points (every index names one of
// them), its mapping frame fitted to its bounds, with equal points merged by BuildWeldedMesh.
void AddImportedMesh(std::vector<Vector3> points, std::vector<std::int32_t> faceSizes,
                     const std::vector<std::int32_t>& faceIndices, MappingFit fit, ImportResult* result);
// The same for a triangle soup: every three corners in order make a triangle.
void AddImportedTriangles(std::vector<Vector3> corners, MappingFit fit, ImportResult* result);

#include "exchange/imported_objects.h"

#include <utility>

#include "exchange/mesh_welding.h"
#include "modelling/mapping_frame.h"

void AddImportedMesh(std::vector<Vector3> points, std::vector<std::int32_t> faceSizes,
                     const std::vector<std::int32_t>& faceIndices, MappingFit fit, ImportResult* result) {
  CMeshObject* mesh = AddImportedObject(std::make_unique<CMeshObject>(), result);
  if (mesh == nullptr) return;
  mesh->flatShading = 0;
  WeldedMesh welded = BuildWeldedMesh(points);
  if (fit == MappingFit::kToPointsRead) {
    const auto count = static_cast<int>(points.size());
    mesh->SetPoints(count, std::move(points));
    FitMappingFrameToBounds(mesh);
  }
  std::vector<std::int32_t> indices;
  indices.reserve(faceIndices.size());
  for (const std::int32_t index : faceIndices) indices.push_back(welded.remap[static_cast<std::size_t>(index)]);
  const auto count = static_cast<int>(welded.points.size());
  mesh->SetPoints(count, std::move(welded.points));
  mesh->SetFaces(std::move(faceSizes), std::move(indices));
  if (fit == MappingFit::kToWeldedPoints) FitMappingFrameToBounds(mesh);
}

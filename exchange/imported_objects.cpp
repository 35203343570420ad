#include "exchange/imported_objects.h"

#include <utility>

#include "exchange/mesh_welding.h"
#include "modelling/mapping_frame.h"

namespace {

// The mesh of the faces over the welded points; weldedIndices(welded) gives the faces' corners as
// welded point numbers.
template <class WeldedIndices>
void AddWeldedMesh(std::vector<Vector3> points, std::vector<std::int32_t> faceSizes, MappingFit fit,
                   ImportResult* result, WeldedIndices weldedIndices) {
  CMeshObject* mesh = AddImportedObject(std::make_unique<CMeshObject>(), result);
  if (mesh == nullptr) return;
  mesh->flatShading = 0;
  if (fit == MappingFit::kToPointsRead) {
    // The mesh holds the points as read only while its frame is fitted to them, without the mark
    // per point that SetPoints would make and the welded points then replace.
    mesh->points = std::move(points);
    FitMappingFrameToBounds(mesh);
    points = std::move(mesh->points);
    mesh->points.clear();
  }
  WeldedMesh welded = BuildWeldedMesh(points);
  std::vector<std::int32_t> indices = weldedIndices(welded);
  const auto count = static_cast<int>(welded.points.size());
  mesh->SetPoints(count, std::move(welded.points));
  mesh->SetFaces(std::move(faceSizes), std::move(indices));
  if (fit == MappingFit::kToWeldedPoints) FitMappingFrameToBounds(mesh);
}

}  // namespace

void AddImportedMesh(std::vector<Vector3> points, std::vector<std::int32_t> faceSizes,
                     const std::vector<std::int32_t>& faceIndices, MappingFit fit, ImportResult* result) {
  AddWeldedMesh(std::move(points), std::move(faceSizes), fit, result, [&](const WeldedMesh& welded) {
    std::vector<std::int32_t> indices;
    indices.reserve(faceIndices.size());
    for (const std::int32_t index : faceIndices) indices.push_back(welded.remap[static_cast<std::size_t>(index)]);
    return indices;
  });
}

void AddImportedTriangles(std::vector<Vector3> corners, MappingFit fit, ImportResult* result) {
  std::vector<std::int32_t> faceSizes(corners.size() / 3, 3);
  // The corners in order are the faces: their welded numbers are the remap itself.
  AddWeldedMesh(std::move(corners), std::move(faceSizes), fit, result,
                [](WeldedMesh& welded) { return std::move(welded.remap); });
}

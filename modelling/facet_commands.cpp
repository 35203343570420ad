#include "modelling/facet_commands.h"

#include <memory>
#include <utility>

#include "kernel/mesh_object.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"

namespace {

// Calls f on every selected mesh, in one undo step.
template <class F>
void ForSelectedMeshes(F f) {
  BeginUndoStep();
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, kKindMesh) != nullptr;) {
    f(static_cast<CMeshObject*>(object));
  }
}

void SetFlatShading(int flat) {
  bool changed = false;
  ForSelectedMeshes([flat, &changed](CMeshObject* mesh) {
    if (mesh->flatShading == flat) return;
    RecordUndo(mesh, kUndoChanged);
    mesh->flatShading = flat;
    mesh->MarkChanged();
    changed = true;
  });
  if (changed) RedrawAllViews();
}

}  // namespace

void DoFlatShaded() { SetFlatShading(1); }

void DoSmoothShaded() { SetFlatShading(0); }

void DoFlipMeshNormal() {
  bool any = false;
  ForSelectedMeshes([&any](CMeshObject* mesh) {
    RecordUndo(mesh, kUndoChanged);
    mesh->orientationSign = -mesh->orientationSign;
    mesh->MarkChanged();
    any = true;
  });
  if (any) RedrawAllViews();
}

void ExtendMeshToSolid(CMeshObject* mesh, float dx, float dy, float dz) {
  if (!mesh->FacesFit()) return;
  const int n = mesh->PointCount();
  auto solid = std::make_unique<CMeshObject>();
  std::vector<Vector3> points = mesh->points;
  points.reserve(2 * static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const Vector3 p = mesh->points[static_cast<std::size_t>(i)];
    points.push_back({p.x + dx, p.y + dy, p.z + dz});
  }
  solid->SetPoints(2 * n, std::move(points));
  std::vector<std::int32_t> sizes = mesh->faceSizes;
  sizes.insert(sizes.end(), mesh->faceSizes.begin(), mesh->faceSizes.end());
  std::vector<std::int32_t> indices = mesh->faceIndices;
  std::size_t start = 0;
  for (const std::int32_t size : mesh->faceSizes) {
    for (std::int32_t k = size - 1; k >= 0; --k) indices.push_back(mesh->faceIndices[start + static_cast<std::size_t>(k)] + n);
    start += static_cast<std::size_t>(size);
  }
  solid->faceSizes = std::move(sizes);
  solid->faceIndices = std::move(indices);
  solid->controlPointsHidden = mesh->controlPointsHidden;
  solid->flatShading = mesh->flatShading;
  AddObject(solid, 1);
  // Without an active viewport the new mesh is handed back unadded, and the source stays.
  if (solid != nullptr) return;
  RecordUndo(mesh, kUndoChanged);
  mesh->ObjectState -= kAbsorbedOffset;
}

void DoExtendToSolid(float dx, float dy, float dz) {
  ForSelectedMeshes([dx, dy, dz](CMeshObject* mesh) { ExtendMeshToSolid(mesh, dx, dy, dz); });
  RedrawAllViews();
}

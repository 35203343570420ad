#pragma once

#include <cmath>

#include "fuzz_support.h"
#include "kernel/mesh_object.h"
#include "kernel/point_set_object.h"
#include "scene/scene.h"

// What an importer leaves in the scene must be sound: no point that is not finite, and mesh
// faces that fit their vertices.
inline void CheckImportedScene() {
  for (const CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) {
    if (const auto* points = dynamic_cast<const CPointSetObject*>(object)) {
      for (const Vector3& p : points->points) {
        if (!IsFiniteVector(p)) FuzzCheckFailed("a point that is not finite");
      }
    }
    if (const auto* mesh = dynamic_cast<const CMeshObject*>(object)) {
      if (!mesh->FacesFit()) FuzzCheckFailed("mesh faces that do not fit its points");
    }
  }
}

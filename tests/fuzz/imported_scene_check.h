#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "exchange/import_result.h"
#include "fuzz_support.h"
#include "kernel/mesh_object.h"
#include "kernel/point_set_object.h"
#include "kernel/surface_object.h"
#include "scene/scene.h"

// A file from anyone, imported into an empty scene with an active view as File > Import reads
// it. What the importer leaves must be sound: only objects of the kinds it makes, no point that
// is not finite, mesh faces that fit their vertices, surface grids of at least 2 x 2 that fit
// their points, and as many objects as it says it added.
inline void FuzzImport(ImportResult (*import)(const std::string&), const char* name, std::initializer_list<int> kinds,
                       const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile(name, data, size);
  ActiveFuzzView view;
  const ImportResult result = import(path);
  std::size_t objects = 0;
  for (const CGeomObject* object = GetObjectList(); object != nullptr; object = object->next, ++objects) {
    bool known = false;
    for (const int kind : kinds) known = known || object->GetKind() == kind;
    if (!known) FuzzCheckFailed("an object of a kind the importer does not make");
    if (const auto* points = dynamic_cast<const CPointSetObject*>(object)) {
      for (const Vector3& p : points->points) {
        if (!IsFiniteVector(p)) FuzzCheckFailed("a point that is not finite");
      }
    }
    if (const auto* mesh = dynamic_cast<const CMeshObject*>(object)) {
      if (!mesh->FacesFit()) FuzzCheckFailed("mesh faces that do not fit its points");
    }
    if (const auto* surface = dynamic_cast<const CSurfaceObject*>(object)) {
      if (!surface->GridFitsPoints() || surface->rows < 2 || surface->columns < 2) FuzzCheckFailed("a bad grid");
    }
  }
  if (objects != result.added) FuzzCheckFailed("the count differs from the objects added");
}

#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "../render/mesh_fixtures.h"
#include "kernel/boolean_object.h"
#include "scene_fixture.h"

// A design built in code: each object added shown, on layer 0 unless said.
class DesignTest : public SceneTest {
 public:
  template <class T>
  T* Add(std::unique_ptr<T> object, int layer = 0) {
    T* added = AddObject(object, 1);
    added->ObjectState = kStateShown;
    added->layer = layer;
    return added;
  }
  CMeshObject* AddBox(Vector3 lo, Vector3 hi, int layer = 0) { return Add(BoxMesh(lo, hi), layer); }
  // body minus cutter, both shown members of a subtraction group.
  CBooleanObject* AddSubtraction(Vector3 lo, Vector3 hi, Vector3 cutLo, Vector3 cutHi) {
    auto group = std::make_unique<CBooleanObject>();
    group->SetOperation(kBooleanSubtraction);
    for (const auto& [a, b] : {std::pair{lo, hi}, std::pair{cutLo, cutHi}}) {
      std::unique_ptr<CGeomObject> member = BoxMesh(a, b);
      member->ObjectState = kStateShown;
      group->members.Append(std::move(member));
    }
    return Add(std::move(group));
  }
};

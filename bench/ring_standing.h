#pragma once

// The benchmark ring standing with its axis along x, as the slicing benchmarks cut it: layers
// along z then cross the band twice, as a slicer sees a ring stood upright.

#include "kernel/geom_object.h"
#include "kernel/matrix4.h"
#include "ring_design.h"
#include "scene/scene.h"

namespace ring_design {

// Turns every object of the design: the ring's axis, model y, goes to x.
inline void StandAlongX() {
  // Rows are the images of the axes: x -> y, y -> -x.
  const Matrix4 turn = {{0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
  for (CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) object->Transform(turn, 1);
}

}  // namespace ring_design

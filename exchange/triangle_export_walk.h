#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kernel/vector3.h"

#include "kernel/geom_object.h"
#include "services/layer_table.h"

class CBooleanObject;
class CSurfaceObject;
struct ExportStack;

// Where the walk hands its triangles, as found, in object coordinates; the emitter places them
// by the top of the walk's stack. A format that keeps surfaces and meshes whole takes them
// before they are split.
class TriangleEmitter {
 public:
  virtual void EmitTriangle(Vector3 v1, Vector3 v2, Vector3 v3) = 0;
  // A surface's tessellated grid, rows of columns points with the seams already matched; the
  // flag is 1 while the surface faces along its own normal. By default two triangles a quad.
  virtual void EmitGrid(const Vector3* grid, int rows, int columns, int orientationFlag);
  // A mesh's faces, or a block's closed solid laid out as faces: by default every usable face as
  // a fan.
  virtual void EmitFaces(std::span<const Vector3> points, std::span<const std::int32_t> indices,
                         std::span<const std::int32_t> sizes);

 protected:
  ~TriangleEmitter() = default;
};

// The subtraction and intersection groups written as their members since the export command
// last set this to 0: a triangle file holds no Boolean result, so the command tells the user.
extern int BooleanGroupsWrittenAsMembers;

// Calls fn(object) for every object an export takes, from first along the list: the shown or
// selected ones on a visible layer.
template <class Fn>
void ForEachExportedObject(const CGeomObject* first, Fn&& fn) {
  for (const CGeomObject* object = first; object != nullptr; object = object->next) {
    if (IsShownOrSelected(*object) && IsLayerVisible(object->layer) != 0) fn(*object);
  }
}

// The walk every triangle format shares: surfaces become quads with flat end caps, meshes and
// blocks (as their closed solids) fans, Boolean groups and gems are descended, gems with their
// placements pushed on the stack. Curves, axis lines and NC paths have no volume and give nothing.
class TriangleExportWalk {
 public:
  TriangleExportWalk(ExportStack& stack, TriangleEmitter& emitter);

  // Starts the stack at the identity and exports every shown or selected object on a visible
  // layer, from first along the list.
  void WalkScene(const CGeomObject* first);
  void ExportObject(const CGeomObject& object);
  // Tessellates the surface for the emitter, with flat caps across its open ends when asked.
  void ExportSurface(const CSurfaceObject& surface, bool caps);

 private:
  void ExportGroup(const CBooleanObject& group);
  void ExportGem(const CGeomObject& gem);
  // Triangulates a flat polygon, reversed in place first while the orientation flag is 0.
  void Cap(Vector3* points, int count);

  ExportStack& stack_;
  TriangleEmitter& emitter_;
  // 1 while the surface being written faces along its own normal.
  int orientationFlag_ = 1;
  std::vector<Vector3> ring_;
};

#pragma once

#include <vector>

#include "kernel/vector3.h"

class CBooleanObject;
class CGeomObject;
class CMeshObject;
class CSurfaceObject;
struct ExportStack;

// Where the walk hands its triangles, as found, in object coordinates; the emitter places them
// by the top of the walk's stack.
class TriangleEmitter {
 public:
  virtual void EmitTriangle(Vector3 v1, Vector3 v2, Vector3 v3) = 0;

 protected:
  ~TriangleEmitter() = default;
};

// The walk every triangle format shares: surfaces become quads with flat end caps, meshes fans,
// Boolean groups and gems are descended, gems with their placements pushed on the stack.
class TriangleExportWalk {
 public:
  TriangleExportWalk(ExportStack& stack, TriangleEmitter& emitter);

  // Starts the stack at the identity and exports every shown or selected object on a visible
  // layer, from first along the list.
  void WalkScene(const CGeomObject* first);
  void ExportObject(const CGeomObject& object);

 private:
  void ExportSurface(const CSurfaceObject& surface);
  void ExportMesh(const CMeshObject& mesh);
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

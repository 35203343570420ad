#pragma once

#include <cstdint>
#include <vector>

#include "kernel/matrix4.h"

class CGeomObject;
class CBlockObject;
class CBooleanObject;
class CMeshObject;
class CRenderNode;
class CSurfaceObject;

// Turns the visible design into the tree the scanline engine scans. In shading mode 2 points are
// carried by m straight into pixels; in modes 0 and 1 they go through the render matrix stack
// and the render projection, and every primitive gets its material.

// Raises the render nesting count even when it returns null (nothing visible); the caller hands
// the root to ReleaseRenderTree. onlyInView keeps only objects that overlap the active view.
CRenderNode* BuildRenderTree(const Matrix4& m, int onlyInView);

// The nodes of one object by kind; null for kinds that enclose no volume. nested is 1 inside a
// gem, where jewel members stay inside their groups.
CRenderNode* BuildRenderNodes(CGeomObject* object, const Matrix4& m, int nested);

CRenderNode* BuildSurfaceRenderNodes(const CSurfaceObject* surface, const Matrix4& m);
CRenderNode* BuildMeshRenderNodes(const CMeshObject* mesh, const Matrix4& m);
CRenderNode* BuildBlockRenderNodes(const CBlockObject* block, const Matrix4& m);
CRenderNode* BuildGemRenderNodes(CGeomObject* gem, const Matrix4& m);
CRenderNode* BuildGroupRenderNodes(CBooleanObject* group, const Matrix4& m, int nested, int jewelContext);

// While alive, the faces of meshes and blocks built in shading mode 2 become ray primitives
// (render/ray_polygon_node.h) that raise *orderDecides where the order of ties decides a
// crossing list; scopes do not nest.
class RayPrimitivesScope {
 public:
  explicit RayPrimitivesScope(bool* orderDecides);
  ~RayPrimitivesScope();
  RayPrimitivesScope(const RayPrimitivesScope&) = delete;
  RayPrimitivesScope& operator=(const RayPrimitivesScope&) = delete;
};

// A group node of the operation over the nodes, linked in order; one node stands for itself and
// none gives null.
CRenderNode* CombineRenderNodes(std::uint8_t operation, const std::vector<CRenderNode*>& nodes);

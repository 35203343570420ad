#pragma once

#include <vector>

#include "kernel/matrix4.h"
#include "render/render_polygon_node.h"

// A surface's extended control net, tessellated into triangles only when its first row comes.
// Built under the render matrix stack and projection of the moment: in shading modes 0 and 1 it
// keeps them for the points and normals it makes later; in mode 2 the net is already placed.
class CRenderGridNode : public CRenderPolygonNode {
 public:
  CRenderGridNode(std::vector<Vector3> grid, int rows, int columns, int stepsU, int stepsV, int closedU,
                  int closedV);
  void BeginAtRow(int row) override;

 private:
  Vector3 Place(Vector3 p) const;
  // The triangles of the tessellation as a vertex list.
  PolygonVertex* Triangulate(const std::vector<Vector3>& points, std::vector<Vector3>& tangentsU,
                             std::vector<Vector3>& tangentsV, int rows, int columns) const;

  std::vector<Vector3> grid_;
  int rows_;
  int columns_;
  int stepsU_;
  int stepsV_;
  int closedU_;
  int closedV_;
  Matrix4 projection_;
  Matrix4 placement_;
  bool built_ = false;
};

#pragma once

#include "render/render_node.h"

// A primitive made of projected triangles, cut into spans row by row. Give it its triangles with
// SetPolygon.
class CRenderPolygonNode : public CRenderNode {
 public:
  CRenderPolygonNode() = default;
  void ScanRow(int row) override;

 private:
  // Starts the triangles whose top the row has reached; returns the new tail of the span list.
  ColumnSpan** StartTriangles(int row, PolygonVertex** link, TriangleSide** sideLink, ColumnSpan** spanTail);
};

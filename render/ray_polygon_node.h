#pragma once

#include <cstdint>
#include <vector>

#include "render/render_node.h"

// A polygon primitive for estimates that read only where rays enter and leave (shading mode 2):
// the placed points sit once in one flat array and the triangles name their corners, and a row
// hands on only the spans that cover a column, besides the two that set its first and last
// column. Every crossing it gives equals the full primitive's, but the tie order of the spans may
// differ: where crossings of equal depth and opposite facing meet, the order decides the result,
// and the node raises *orderDecides so the caller can scan again with full primitives.
class CRayPolygonNode : public CRenderNode {
 public:
  // corners: three indices into points for each triangle, in the order of the triangles.
  CRayPolygonNode(std::vector<PolygonVertex> points, const std::vector<std::int32_t>& corners, bool* orderDecides);
  void ScanRow(int row) override;

 private:
  struct Triangle {
    // The highest corner first, in the triangle's cyclic order.
    std::int32_t corner[3];
    std::int32_t firstRow;
  };
  struct Started {
    TriangleSide first;
    TriangleSide second;
  };

  std::vector<PolygonVertex> points_;
  std::vector<Triangle> triangles_;
  std::size_t unstarted_ = 0;
  // In the order of the triangles, as the full primitive keeps them.
  std::vector<Started> started_;
};

#pragma once

// Pieces of jewellery as triangle lists in pixel space, for the engine's benchmarks: gems from the
// generated "gemlib", bores, seats and a curved band.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "kernel/gem_library.h"
#include "kernel/mesh_object.h"
#include "tests/render/scan_fixtures.h"

// The round prototype of the gem library as triangles of unit girdle diameter, table towards +z,
// centred on the girdle; empty when the library cannot be read.
inline TriangleList RoundGemUnit() {
  const auto* mesh = dynamic_cast<const CMeshObject*>(GemLibrary.Prototype(0));
  if (mesh == nullptr) return {};
  Vector3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
  for (const Vector3& p : mesh->points) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
  }
  // The axis with the smallest extent is the gem's own axis; a cyclic turn brings it onto z.
  const float extent[3] = {hi.x - lo.x, hi.y - lo.y, hi.z - lo.z};
  const int axis = static_cast<int>(std::min_element(extent, extent + 3) - extent);
  const float diameter = std::max({extent[0], extent[1], extent[2]});
  const auto place = [&](Vector3 p) {
    const float c[3] = {(p.x - (lo.x + hi.x) / 2) / diameter, (p.y - (lo.y + hi.y) / 2) / diameter,
                        (p.z - (lo.z + hi.z) / 2) / diameter};
    return Vector3{c[(axis + 1) % 3], c[(axis + 2) % 3], c[axis]};
  };
  TriangleList out;
  std::size_t first = 0;
  for (const std::int32_t size : mesh->faceSizes) {
    for (std::int32_t k = 1; k + 1 < size; ++k) {
      out.push_back({place(mesh->points[mesh->faceIndices[first]]), place(mesh->points[mesh->faceIndices[first + k]]),
                     place(mesh->points[mesh->faceIndices[first + k + 1]])});
    }
    first += static_cast<std::size_t>(size);
  }
  return out;
}

inline TriangleList Placed(const TriangleList& unit, Vector3 centre, float scale) {
  TriangleList out = unit;
  for (Triangle3& t : out) {
    for (Vector3& p : t) p = {centre.x + p.x * scale, centre.y + p.y * scale, centre.z + p.z * scale};
  }
  return out;
}

// A closed prism of `sides` sides around the depth axis.
inline TriangleList Bore(Vector3 centre, float radius, float back, float front, int sides) {
  TriangleList out;
  const auto at = [&](int k, float z) {
    const double a = 2 * std::numbers::pi * k / sides;
    return Vector3{static_cast<float>(centre.x + radius * std::cos(a)), static_cast<float>(centre.y + radius * std::sin(a)), z};
  };
  const Vector3 top{centre.x, centre.y, front}, bottom{centre.x, centre.y, back};
  for (int k = 0; k < sides; ++k) {
    out.push_back({top, at(k, front), at(k + 1, front)});
    out.push_back({bottom, at(k + 1, back), at(k, back)});
    out.push_back({at(k, front), at(k, back), at(k + 1, back)});
    out.push_back({at(k, front), at(k + 1, back), at(k + 1, front)});
  }
  return out;
}

// A closed slab over [x0, x1] x [y0, y1] whose front bulges as a cylinder along x, cells x cells
// quads on the front and on the back.
struct Band {
  float x0, x1, y0, y1, back, front, bulge;
  float FrontAt(float y) const {
    const float t = (y - y0) / (y1 - y0) * 2 - 1;
    return front + bulge * (1 - t * t);
  }
};

// The front and back faces of a slab whose points are point(i, j, front) over rows x columns
// cells, wound so that the two face away from each other; `flip` turns both for grids whose
// (i, j) runs the other way round.
template <typename Point>
void AddSlabCells(TriangleList* out, int rows, int columns, Point point, bool flip) {
  const auto quad = [&](Vector3 a, Vector3 b, Vector3 c, Vector3 d, bool reverse) {
    if (reverse) {
      out->push_back({a, c, b});
      out->push_back({a, d, c});
    } else {
      out->push_back({a, b, c});
      out->push_back({a, c, d});
    }
  };
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      quad(point(i, j, true), point(i, j + 1, true), point(i + 1, j + 1, true), point(i + 1, j, true), flip);
      quad(point(i, j, false), point(i, j + 1, false), point(i + 1, j + 1, false), point(i + 1, j, false), !flip);
    }
  }
}

inline TriangleList BandTriangles(const Band& band, int cells) {
  const auto point = [&](int i, int j, bool isFront) {
    const float x = band.x0 + (band.x1 - band.x0) * j / cells, y = band.y0 + (band.y1 - band.y0) * i / cells;
    return Vector3{x, y, isFront ? band.FrontAt(y) : band.back};
  };
  TriangleList out;
  AddSlabCells(&out, cells, cells, point, false);
  // The four sides, each a strip between the front and back outlines.
  for (int k = 0; k < cells; ++k) {
    const auto wall = [&](int i0, int j0, int i1, int j1) {
      const Vector3 a = point(i0, j0, true), b = point(i1, j1, true), c = point(i1, j1, false), d = point(i0, j0, false);
      out.push_back({a, d, c});
      out.push_back({a, c, b});
    };
    wall(0, k + 1, 0, k);
    wall(cells, k, cells, k + 1);
    wall(k, 0, k + 1, 0);
    wall(k + 1, cells, k, cells);
  }
  return out;
}

// A seat: the gem's shape a little larger, joined with a bore under it as one object.
inline CRenderNode* SeatNode(const TriangleList& gemUnit, Vector3 centre, float diameter, float back,
                             const VertexAttributeSource& attributes, const CMaterial* material) {
  return Group(CRenderNode::kUnionOfPieces,
               {PolygonNode(Placed(gemUnit, centre, diameter * 1.05f), material, attributes),
                PolygonNode(Bore(centre, diameter * 0.3f, back, centre.z, 24), material, attributes)});
}

// Children linked from a vector, for groups of many.
inline CRenderNode* GroupOf(std::uint8_t operation, const std::vector<CRenderNode*>& children) {
  CRenderNode* head = nullptr;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    (*it)->next = head;
    head = *it;
  }
  return new CRenderNode(operation, head);
}

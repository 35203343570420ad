#pragma once

// Solids as triangle lists in pixel units and a driver that follows the engine's contract. Free of
// the test framework, so the benchmarks build their scenes with it too.

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

#include "kernel/vector3.h"
#include "render/render_node.h"
#include "render/render_polygon_node.h"
#include "render/render_state.h"

using Triangle3 = std::array<Vector3, 3>;
using TriangleList = std::vector<Triangle3>;

// Outward-facing triangles of the box [lo, hi], counter-clockwise seen from outside.
inline TriangleList BoxTriangles(Vector3 lo, Vector3 hi) {
  const auto corner = [&](int i) {
    return Vector3{(i & 1) != 0 ? hi.x : lo.x, (i & 2) != 0 ? hi.y : lo.y, (i & 4) != 0 ? hi.z : lo.z};
  };
  // Each face as a quad of corner indices, counter-clockwise from outside.
  static constexpr int kFaces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                       {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  TriangleList out;
  for (const auto& f : kFaces) {
    out.push_back({corner(f[0]), corner(f[1]), corner(f[2])});
    out.push_back({corner(f[0]), corner(f[2]), corner(f[3])});
  }
  return out;
}

// A closed mesh of a sphere: `around` facets round the depth axis, `down` from pole to pole.
inline TriangleList SphereTriangles(Vector3 centre, float radius, int around, int down) {
  const auto point = [&](int i, int j) {
    const double theta = std::numbers::pi * i / down;
    const double phi = 2 * std::numbers::pi * (j % around) / around;
    return Vector3{static_cast<float>(centre.x + radius * std::sin(theta) * std::cos(phi)),
                   static_cast<float>(centre.y + radius * std::sin(theta) * std::sin(phi)),
                   static_cast<float>(centre.z + radius * std::cos(theta))};
  };
  TriangleList out;
  for (int i = 0; i < down; ++i) {
    for (int j = 0; j < around; ++j) {
      const Vector3 a = point(i, j), b = point(i + 1, j), c = point(i + 1, j + 1), d = point(i, j + 1);
      if (i > 0) out.push_back({a, b, d});
      if (i + 1 < down) out.push_back({b, c, d});
    }
  }
  return out;
}

// What a vertex at a point brings to interpolate, in shading modes 0 and 1.
using VertexAttributeSource = std::function<VertexAttributes(Vector3)>;

// A polygon primitive of the triangles. In shading mode 2 the material pointer only marks which
// solid a crossing came from.
inline CRenderNode* PolygonNode(const TriangleList& triangles, const CMaterial* tag = nullptr,
                                const VertexAttributeSource& attributes = nullptr) {
  PolygonVertex* head = nullptr;
  PolygonVertex** tail = &head;
  for (const Triangle3& t : triangles) {
    for (const Vector3& p : t) {
      PolygonVertex* v = AllocPolygonVertex();
      v->next = nullptr;
      v->x = p.x;
      v->y = p.y;
      v->z = p.z;
      v->attributes = nullptr;
      if (attributes) {
        v->attributes = AllocVertexAttributes();
        *v->attributes = attributes(p);
      }
      *tail = v;
      tail = &v->next;
    }
  }
  // Made after the records, so a failed allocation leaves nothing on the heap.
  auto* node = new CRenderPolygonNode();
  node->material = tag;
  node->SetPolygon(head);
  return node;
}

// Children linked in order, for a group's constructor.
inline CRenderNode* Chain(std::initializer_list<CRenderNode*> nodes) {
  CRenderNode* head = nullptr;
  for (auto it = std::rbegin(nodes); it != std::rend(nodes); ++it) {
    (*it)->next = head;
    head = *it;
  }
  return head;
}

inline CRenderNode* Group(std::uint8_t operation, std::initializer_list<CRenderNode*> children) {
  return new CRenderNode(operation, Chain(children));
}

struct Crossing {
  float depth;
  int facing;
  const CMaterial* tag;
  friend bool operator==(const Crossing&, const Crossing&) = default;
};
using PixelLists = std::map<std::pair<int, int>, std::vector<Crossing>>;

// Drives a tree as every user of the engine does and keeps the non-empty lists by (row, column).
// `visit` sees each list before it goes back to the pool. The tree is released on every path.
template <typename Visit>
void DriveTree(CRenderNode* root, int firstRow, int lastRow, int firstColumn, int lastColumn, Visit visit) {
  ++RenderNestingCount;
  RenderTreeGuard guard(root);
  SetRenderColumnWindow(firstColumn, lastColumn);
  for (int row = firstRow; row <= lastRow; ++row) {
    if (root == nullptr || row < root->firstRow) continue;
    root->AdvanceToScanline(row);
    for (int column = std::max(firstColumn, root->firstColumn); column <= lastColumn; ++column) {
      CrossingEntry* list = root->GetSpans(column);
      visit(row, column, list);
      ReleaseCrossingList(list);
    }
  }
}

inline PixelLists ScanTree(CRenderNode* root, int firstRow, int lastRow, int firstColumn, int lastColumn) {
  PixelLists lists;
  DriveTree(root, firstRow, lastRow, firstColumn, lastColumn, [&](int row, int column, const CrossingEntry* e) {
    for (; e != nullptr; e = e->next) {
      lists[{row, column}].push_back({e->depth, e->facing, e->span->leftSide->material});
    }
  });
  return lists;
}

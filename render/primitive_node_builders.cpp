#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <map>
#include <span>
#include <utility>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/block_solid.h"
#include "kernel/bspline_curve.h"
#include "kernel/frame_point_budget.h"
#include "kernel/mesh_faces.h"
#include "kernel/mesh_object.h"
#include "kernel/point_key.h"
#include "kernel/polygon_triangulation.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "render/material.h"
#include "render/object_material.h"
#include "render/ray_polygon_node.h"
#include "render/render_grid_node.h"
#include "render/render_state.h"
#include "render/render_tree.h"

namespace {

// Where ray primitives report; null outside a RayPrimitivesScope.
bool* rayOrderDecides = nullptr;

// A direction turned by the render matrix without its translation.
Vector3 TurnByRenderMatrix(Vector3 v) {
  const Matrix4& t = RenderMatrixTop();
  return {v.x * t[0] + v.y * t[4] + v.z * t[8], v.x * t[1] + v.y * t[5] + v.z * t[9],
          v.x * t[2] + v.y * t[6] + v.z * t[10]};
}

// Collects projected vertices, three per triangle, into a vertex list for a polygon primitive.
class TriangleCollector {
 public:
  explicit TriangleCollector(const Matrix4& m) : m_(m), projection_(RenderPointProjection()) {}

  // p in object space; the attributes only in shading modes 0 and 1.
  void Add(Vector3 p, Vector3 normal, float u, float v) {
    PolygonVertex* vertex = AllocPolygonVertex();
    vertex->next = nullptr;
    vertex->attributes = nullptr;
    Vector3 placed;
    if (ShadingMode == 2) {
      placed = TransformPoint(p, m_);
    } else {
      placed = ProjectPointThrough(projection_, p.x, p.y, p.z);
      VertexAttributes* a = AllocVertexAttributes();
      a->next = nullptr;
      a->position = p;
      a->normal = normal;
      a->tangentU = {normal.y, -normal.x, 0.0f};
      a->tangentV = VecCross(normal, a->tangentU);
      a->u = u;
      a->v = v;
      vertex->attributes = a;
    }
    vertex->x = placed.x;
    vertex->y = placed.y;
    vertex->z = placed.z;
    *tail_ = vertex;
    tail_ = &vertex->next;
  }

  // Null when no triangle was added.
  CRenderNode* MakeNode(const CMaterial* material) {
    if (head_ == nullptr) return nullptr;
    auto* node = new CRenderPolygonNode();
    node->material = material;
    node->SetPolygon(std::exchange(head_, nullptr));
    tail_ = &head_;
    return node;
  }

  ~TriangleCollector() {
    while (head_ != nullptr) ReleasePolygonVertex(std::exchange(head_, head_->next));
  }
  TriangleCollector(const TriangleCollector&) = delete;
  TriangleCollector& operator=(const TriangleCollector&) = delete;

 private:
  const Matrix4& m_;
  const Matrix4 projection_;
  PolygonVertex* head_ = nullptr;
  PolygonVertex** tail_ = &head_;
};

// Each triangle of the ring in the ring's own winding.
void TriangulateRing(const std::vector<Vector3>& ring, const TriangleSink& sink) {
  const int size = static_cast<int>(ring.size());
  const Vector3* rings[1] = {ring.data()};
  TriangulatePolygons(1, &size, rings, [&](Vector3 tip, Vector3 next, Vector3 previous) {
    sink(previous, tip, next);
  });
}

// Whether a closed outline encloses no area to speak of, against the square of its size: a
// boundary line lying straight closes nothing and is only ever seen edge-on, while its
// triangulation would cost the square of its points in slivers. In double, about the first point,
// so that the sum does not lose a small face far from the origin.
bool EnclosesNoArea(const std::vector<Vector3>& ring) {
  const Vector3 origin = ring.front();
  const auto relative = [&](std::size_t i) {
    const Vector3 p = ring[i % ring.size()];
    return std::array<double, 3>{double(p.x) - origin.x, double(p.y) - origin.y, double(p.z) - origin.z};
  };
  std::array<double, 3> twiceArea{0, 0, 0}, low{0, 0, 0}, high{0, 0, 0};
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const std::array<double, 3> p = relative(i), q = relative(i + 1);
    twiceArea[0] += p[1] * q[2] - p[2] * q[1];
    twiceArea[1] += p[2] * q[0] - p[0] * q[2];
    twiceArea[2] += p[0] * q[1] - p[1] * q[0];
    for (int k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], p[k]);
      high[k] = std::max(high[k], p[k]);
    }
  }
  const double size = std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]});
  return std::hypot(twiceArea[0], twiceArea[1], twiceArea[2]) <= 1e-6 * size * size;
}

// The flat end face of an open surface along one boundary line of the extended net: count points
// stride apart from `line`, with its neighbouring lines `across` away on either side when they
// exist. facing +1 reverses the outline.
CRenderNode* BuildCapPolygon(const Vector3* line, int count, int steps, int closed, int facing, int stride,
                             int across, bool edge, const Matrix4& m, const CMaterial* material) {
  std::vector<Vector3> boundary(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const Vector3* b = line + static_cast<std::ptrdiff_t>(i) * stride;
    // The surface's true edge lies at (A + 4B + C) / 6 of the three control lines across it.
    boundary[i] = edge ? VecScale(VecAdd(VecAdd(b[-across], VecScale(*b, 4.0f)), b[across]), 1.0f / 6.0f) : *b;
  }
  // The face is triangulated, and each corner found on the ring: bounded like a block's end faces.
  std::vector<Vector3> ring = EvaluateCurvePoints(boundary.data(), count, DrawnSteps(steps, count, kMaxTriangulatedPoints));
  if (closed != 0 && !ring.empty()) ring.pop_back();
  if (ring.size() < 3 || EnclosesNoArea(ring)) return nullptr;
  if (facing == 1) std::reverse(ring.begin(), ring.end());

  Vector3 normal{0.0f, 0.0f, 0.0f};
  std::vector<std::pair<float, float>> uv(ring.size());
  if (ShadingMode != 2) {
    Vector3 newell{0.0f, 0.0f, 0.0f};
    for (std::size_t i = 0; i < ring.size(); ++i) newell = VecAdd(newell, VecCross(ring[i], ring[(i + 1) % ring.size()]));
    normal = Normalize(TurnByRenderMatrix(newell));
    const Matrix4& toMapping = material->mappingMatrix;
    Vector3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
    std::vector<Vector3> mapped(ring.size());
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const Vector3 p = mapped[i] = TransformPoint(ring[i], toMapping);
      lo = {std::fmin(lo.x, p.x), std::fmin(lo.y, p.y), std::fmin(lo.z, p.z)};
      hi = {std::fmax(hi.x, p.x), std::fmax(hi.y, p.y), std::fmax(hi.z, p.z)};
    }
    const float extent = std::fmax(hi.x - lo.x, std::fmax(hi.y - lo.y, hi.z - lo.z));
    const float scale = extent <= 0.00001f ? 1.0f : 1.0f / extent;
    float n[3];
    for (int k = 0; k < 3; ++k) n[k] = std::fabs(toMapping[k] * newell.x + toMapping[4 + k] * newell.y + toMapping[8 + k] * newell.z);
    int axis = 0;
    if (n[1] >= n[0]) axis = 1;
    if (n[2] >= n[axis]) axis = 2;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const Vector3 d = VecSub(mapped[i], lo);
      const float c[3] = {d.x * scale, d.y * scale, d.z * scale};
      uv[i] = {c[(axis + 1) % 3], c[(axis + 2) % 3]};
    }
  }
  // The triangles' corners are copies of the ring's points: each takes the mapping of its point's
  // first place on the ring, found in a map since a cap may have thousands of points.
  std::map<PointKey, std::size_t> placeOf;
  for (std::size_t i = 0; i < ring.size(); ++i) placeOf.try_emplace(KeyOf(ring[i]), i);
  TriangleCollector triangles(m);
  TriangulateRing(ring, [&](Vector3 a, Vector3 b, Vector3 c) {
    for (const Vector3& p : {a, b, c}) {
      const auto at = placeOf.find(KeyOf(p));
      const auto& [u, v] = uv[at != placeOf.end() ? at->second : uv.size() - 1];
      triangles.Add(p, normal, u, v);
    }
  });
  return triangles.MakeNode(material);
}

// The grid primitive of a surface with the material given, and its end caps.
CRenderNode* BuildSurfacePieces(const CSurfaceObject* surface, const Matrix4& m, const CMaterial* material) {
  if (surface->rows < 2 || surface->columns < 2 || !surface->GridFitsPoints()) return nullptr;
  std::vector<Vector3> net;
  int nu = 0, nv = 0;
  ExtendSurfaceNet(surface->points.data(), surface->rows, surface->columns, surface->startAttributeU,
                   surface->endAttributeU, surface->closedU, surface->startAttributeV, surface->endAttributeV,
                   surface->closedV, &net, &nu, &nv);
  if (nu < 2 || nv < 2) return nullptr;
  std::vector<CRenderNode*> pieces;
  int stepsU = surface->outputStepsU, stepsV = surface->outputStepsV;
  FrameGridSteps(&stepsU, nu, &stepsV, nv, kMaxDrawnPointsPerDirection, kRenderedPointCost);
  // The caps read the net before the grid node takes it, and in its own coordinates.
  if (surface->closedU == 0) {
    const int first = surface->startAttributeU == 0 ? 1 : 0;
    const int last = nu - 1 - (surface->endAttributeU == 0 ? 1 : 0);
    for (const auto& [row, facing] : {std::pair{first, -1}, std::pair{last, 1}}) {
      const bool edge = stepsU > 0 && row > 0 && row < nu - 1;
      if (CRenderNode* cap = BuildCapPolygon(&net[static_cast<std::size_t>(row) * nv], nv, stepsV, surface->closedV,
                                             facing, 1, nv, edge, m, material)) {
        pieces.push_back(cap);
      }
    }
  }
  if (surface->closedV == 0) {
    const int first = surface->startAttributeV == 0 ? 1 : 0;
    const int last = nv - 1 - (surface->endAttributeV == 0 ? 1 : 0);
    for (const auto& [column, facing] : {std::pair{first, 1}, std::pair{last, -1}}) {
      const bool edge = stepsV > 0 && column > 0 && column < nv - 1;
      if (CRenderNode* cap = BuildCapPolygon(&net[static_cast<std::size_t>(column)], nu, stepsU, surface->closedU,
                                             facing, nv, 1, edge, m, material)) {
        pieces.push_back(cap);
      }
    }
  }
  // Only now: the caps place their own points through m.
  if (ShadingMode == 2) {
    for (Vector3& p : net) p = TransformPoint(p, m);
  }
  auto* grid = new CRenderGridNode(std::move(net), nu, nv, stepsU, stepsV, surface->closedU, surface->closedV);
  grid->material = material;
  pieces.insert(pieces.begin(), grid);
  return CombineRenderNodes(CRenderNode::kUnionOfPieces, pieces);
}

// The faces of a mesh or a block's solid as one polygon primitive: fans of triangles with flat
// or crease-aware smooth normals.
CRenderNode* BuildFaceNodes(std::span<const Vector3> points, std::span<const std::int32_t> indices,
                            std::span<const std::int32_t> sizes, bool smoothShading, const CMaterial* material,
                            const Matrix4& m) {
  std::vector<Vector3> vertexNormals;
  const auto faceNormal = [&](std::size_t first) {
    const Vector3 p0 = points[indices[first]], p1 = points[indices[first + 1]], p2 = points[indices[first + 2]];
    return Normalize(TurnByRenderMatrix(VecCross(VecSub(p2, p1), VecSub(p0, p1))));
  };
  const auto eachFace = [&](auto&& fn) {
    ForEachUsableFace(points, indices, sizes, [&](std::size_t first, std::size_t size) {
      if (size >= 3) fn(first, size);
    });
  };
  if (ShadingMode == 2 && rayOrderDecides != nullptr) {
    // Each point placed once, and the corners of a face's triangles after its own points.
    std::vector<PolygonVertex> placed(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Vector3 p = TransformPoint(points[i], m);
      placed[i] = {nullptr, p.x, p.y, p.z, nullptr};
    }
    std::vector<std::int32_t> corners;
    corners.reserve(indices.size());
    eachFace([&](std::size_t first, std::size_t size) {
      if (size == 3) {
        corners.insert(corners.end(), indices.begin() + first, indices.begin() + first + 3);
        return;
      }
      std::vector<Vector3> ring(size);
      for (std::size_t k = 0; k < size; ++k) ring[k] = points[indices[first + k]];
      TriangulateRing(ring, [&](Vector3 a, Vector3 b, Vector3 c) {
        for (const Vector3& p : {a, b, c}) {
          const Vector3 q = TransformPoint(p, m);
          corners.push_back(static_cast<std::int32_t>(placed.size()));
          placed.push_back({nullptr, q.x, q.y, q.z, nullptr});
        }
      });
    });
    if (corners.empty()) return nullptr;
    auto* node = new CRayPolygonNode(std::move(placed), corners, rayOrderDecides);
    node->material = material;
    return node;
  }
  const bool smooth = ShadingMode != 2 && smoothShading;
  if (smooth) {
    vertexNormals.assign(points.size(), Vector3{0.0f, 0.0f, 0.0f});
    eachFace([&](std::size_t first, std::size_t size) {
      const Vector3 n = faceNormal(first);
      for (std::size_t k = first; k < first + size; ++k) vertexNormals[indices[k]] = VecAdd(vertexNormals[indices[k]], n);
    });
    for (Vector3& n : vertexNormals) n = Normalize(n);
  }
  TriangleCollector triangles(m);
  const bool withTexture = ShadingMode == 1;
  const auto add = [&](Vector3 p, Vector3 n) { triangles.Add(p, n, withTexture ? p.x : 0.0f, withTexture ? p.y : 0.0f); };
  eachFace([&](std::size_t first, std::size_t size) {
    const Vector3 n = ShadingMode != 2 ? faceNormal(first) : Vector3{0.0f, 0.0f, 0.0f};
    if (size == 3) {
      for (std::size_t k = first; k < first + 3; ++k) {
        const std::int32_t index = indices[k];
        add(points[index], smooth && VecDot(vertexNormals[index], n) >= 0.9f ? vertexNormals[index] : n);
      }
      return;
    }
    std::vector<Vector3> ring(size);
    for (std::size_t k = 0; k < size; ++k) ring[k] = points[indices[first + k]];
    TriangulateRing(ring, [&](Vector3 a, Vector3 b, Vector3 c) {
      add(a, n);
      add(b, n);
      add(c, n);
    });
  });
  return triangles.MakeNode(material);
}

}  // namespace

RayPrimitivesScope::RayPrimitivesScope(bool* orderDecides) { rayOrderDecides = orderDecides; }
RayPrimitivesScope::~RayPrimitivesScope() { rayOrderDecides = nullptr; }

CRenderNode* BuildSurfaceRenderNodes(const CSurfaceObject* surface, const Matrix4& m) {
  return BuildSurfacePieces(surface, m, MaterialForObject(surface, false));
}

CRenderNode* BuildMeshRenderNodes(const CMeshObject* mesh, const Matrix4& m) {
  return BuildFaceNodes(mesh->points, mesh->faceIndices, mesh->faceSizes, mesh->flatShading == 0,
                        MaterialForObject(mesh, true), m);
}

CRenderNode* BuildBlockRenderNodes(const CBlockObject* block, const Matrix4& m) {
  const BlockSolid solid = TessellateBlock(*block);
  return BuildFaceNodes(solid.points, solid.faceIndices, solid.faceSizes, true, MaterialForObject(block, true), m);
}


#include "scene/gl_shading.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/block_solid.h"
#include "kernel/boolean_object.h"
#include "kernel/bspline_curve.h"
#include "kernel/frame_point_budget.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_faces.h"
#include "kernel/mesh_object.h"
#include "kernel/outline_rings.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "scene/drawing_context.h"
#include "scene/gl_table.h"
#include "scene/shading_arrays.h"

Matrix4 GlInverseViewMatrix;

namespace {

// Shading keeps a surface to about 256 tessellated points along each direction: the steps drop
// to the largest count that stays within it, but never below 1 (a count of 1 or less is kept).
// Taken in closed form, so a step count from a hostile file costs nothing.
int ShadingSteps(int steps, int lines) {
  if (steps <= 1 || static_cast<std::int64_t>(lines) * steps <= 256) return steps;
  return std::max(1, 256 / lines);
}

void PadSurfaceGrid(const CSurfaceObject& surface, const Vector3* grid, std::vector<Vector3>* padded,
                    int* rows, int* columns) {
  ExtendSurfaceNet(grid, surface.rows, surface.columns, surface.startAttributeU,
                   surface.endAttributeU, surface.closedU, surface.startAttributeV,
                   surface.endAttributeV, surface.closedV, padded, rows, columns);
}

void RenderSurfaceGL(const CSurfaceObject& surface, ShadingSink& sink) {
  if (!surface.GridFitsPoints()) return;
  int stepsU = ShadingSteps(surface.outputStepsU, surface.rows);
  int stepsV = ShadingSteps(surface.outputStepsV, surface.columns);
  std::vector<Vector3> padded;
  int rows = 0;
  int columns = 0;
  PadSurfaceGrid(surface, surface.points.data(), &padded, &rows, &columns);
  FrameGridSteps(&stepsU, rows, &stepsV, columns);
  RenderSurfaceGridGL(padded.data(), rows, columns, stepsU, stepsV, surface.orientationSign, sink);

  // A surface closed one way only is a tube: its two open ends get flat caps. The caps average
  // each padded line with its neighbours, so the open direction needs three padded lines.
  if (rows < 3 || columns < 3) return;
  const int sign = surface.orientationSign;
  if (surface.closedV != 0 && surface.closedU == 0) {
    const int offset = stepsU >= 1 ? columns : 0;
    RenderCapGL(offset, &padded[columns], 1, columns, stepsV, surface.closedV, sign, sink);
    RenderCapGL(offset, &padded[static_cast<std::size_t>(rows - 2) * columns], 1, columns, stepsV,
                surface.closedV, -sign, sink);
  } else if (surface.closedU != 0 && surface.closedV == 0) {
    const int offset = stepsV >= 1 ? 1 : 0;
    RenderCapGL(offset, &padded[1], columns, rows, stepsU, surface.closedU, -sign, sink);
    RenderCapGL(offset, &padded[columns - 2], columns, rows, stepsU, surface.closedU, sign, sink);
  }
}

// The block as its one closed solid, shaded as a smooth mesh with creases.
void RenderBlockGL(const CBlockObject& block, bool flip, ShadingSink& sink) {
  const BlockSolid solid = TessellateBlock(block);
  RenderMeshGL(solid.points, solid.faceIndices, solid.faceSizes, 0, flip, sink);
}

// Where a walk over the shaded parts puts a gem's prototype: under GL's matrix times the gem's
// placement while drawing; nowhere while deriving arrays, which never depend on the placement.
enum class GemPlacement { kUnderGl, kNone };

void WalkShadedParts(const CGeomObject* object,
                     const std::function<void(const CGeomObject&)>& visit, GemPlacement gems);

// A subtraction whose subtractors do not count shows its body alone; every other group shows
// its shown and selected members.
void WalkBooleanParts(const CBooleanObject& group,
                      const std::function<void(const CGeomObject&)>& visit, GemPlacement gems) {
  if (group.Operation() != kBooleanSubtraction || group.subtractBody != 0) {
    for (const CGeomObject* member = group.members.head(); member != nullptr;
         member = member->next) {
      if (IsShownOrSelected(*member)) WalkShadedParts(member, visit, gems);
    }
  } else if (IsShownOrSelected(group) && !group.members.empty()) {
    WalkShadedParts(group.members.head(), visit, gems);
  }
}

// The gem's prototype under its placement. GL's own matrix is put back afterwards, so that a gem
// among the tool preview leaves the preview's matrix to the objects after it.
void WalkGemParts(const CGeomObject& gem, const std::function<void(const CGeomObject&)>& visit,
                  GemPlacement gems) {
  CGeomObject* prototype = const_cast<CGeomObject*>(&gem);
  Matrix4 placement;
  ResolveGemInstance(prototype, &placement);
  if (prototype == nullptr) return;
  const GemNestingLevel level;
  if (gems == GemPlacement::kNone) return WalkShadedParts(prototype, visit, gems);
  GlCalls& gl = *InstalledGlCalls();
  float saved[16];
  gl.GetFloatv(kGlModelviewMatrix, saved);
  gl.MultMatrixf(placement.m);
  WalkShadedParts(prototype, visit, gems);
  gl.LoadMatrixf(saved);
}

void WalkShadedParts(const CGeomObject* object,
                     const std::function<void(const CGeomObject&)>& visit, GemPlacement gems) {
  if (object == nullptr) return;
  switch (object->GetKind()) {
    case kKindSurface:
    case kKindMesh:
    case kKindBlock:
      visit(*object);
      break;
    case kKindBoolean:
      WalkBooleanParts(static_cast<const CBooleanObject&>(*object), visit, gems);
      break;
    case kKindGem:
      WalkGemParts(*object, visit, gems);
      break;
    default:
      break;
  }
}

}  // namespace

void RenderObjectGL(const CGeomObject* object) {
  ForEachShadedPartGL(object, [](const CGeomObject& part) {
    CachedShadingArrays(part, PartNormalsFlip(part)).Draw(*InstalledGlCalls());
  });
}

void ForEachShadedPartGL(const CGeomObject* object,
                         const std::function<void(const CGeomObject&)>& draw) {
  if (InstalledGlCalls() == nullptr) return;
  WalkShadedParts(object, draw, GemPlacement::kUnderGl);
}

void ForEachShadedPart(const CGeomObject* object,
                       const std::function<void(const CGeomObject&)>& visit) {
  WalkShadedParts(object, visit, GemPlacement::kNone);
}

bool PartNormalsFlip(const CGeomObject& part) {
  // A block's solid faces out as placed, like a mesh of orientation 1.
  switch (part.GetKind()) {
    case kKindMesh:
      return MeshNormalsFlip(static_cast<const CMeshObject&>(part).orientationSign);
    case kKindBlock:
      return MeshNormalsFlip(1);
    default:
      return false;
  }
}

bool MeshNormalsFlip(int orientationSign) {
  const float determinant = MatDeterminant(MatMultiply(GetModelMatrix(), GlInverseViewMatrix), 3);
  return determinant * static_cast<float>(orientationSign) < 0.0f;
}

bool MeshFaces::TakesVertexNormal(const Face& face, std::size_t k) const {
  return !vertexNormals.empty() &&
         VecDot(vertexNormals[static_cast<std::size_t>(indices[k])], face.normal) >= 0.9f;
}

void DeriveShading(const CGeomObject& object, bool flipMeshNormals, ShadingSink& sink) {
  switch (object.GetKind()) {
    case kKindSurface:
      RenderSurfaceGL(static_cast<const CSurfaceObject&>(object), sink);
      break;
    case kKindMesh: {
      const auto& mesh = static_cast<const CMeshObject&>(object);
      RenderMeshGL(mesh.points, mesh.faceIndices, mesh.faceSizes, mesh.flatShading,
                   flipMeshNormals, sink);
      break;
    }
    case kKindBlock:
      RenderBlockGL(static_cast<const CBlockObject&>(object), flipMeshNormals, sink);
      break;
    default:
      break;
  }
}

void RenderSurfaceGridGL(const Vector3* grid, int rows, int columns, int stepsU, int stepsV,
                         int orientationSign, ShadingSink& sink) {
  std::vector<Vector3> points;
  std::vector<Vector3> normals;
  int n = 0;
  int m = 0;
  TessellateSurfaceNormals(kBSplineBasis, grid, rows, columns, stepsU, stepsV, orientationSign,
                           &points, &normals, &n, &m);
  if (n < 2 || m < 2) return;

  const auto at = [m](int row, int column) { return static_cast<std::size_t>(row) * m + column; };
  std::vector<std::uint32_t> quads(static_cast<std::size_t>(n - 1) * (m - 1) * 4);
  std::uint32_t* corner = quads.data();
  for (int i = 0; i + 1 < n; ++i) {
    for (int j = 0; j + 1 < m; ++j) {
      *corner++ = static_cast<std::uint32_t>(at(i, j));
      *corner++ = static_cast<std::uint32_t>(at(i + 1, j));
      *corner++ = static_cast<std::uint32_t>(at(i + 1, j + 1));
      *corner++ = static_cast<std::uint32_t>(at(i, j + 1));
    }
  }
  sink.Quads(std::move(points), std::move(normals), std::move(quads));
}

void RenderMeshGL(std::span<const Vector3> points, std::span<const std::int32_t> indices,
                  std::span<const std::int32_t> faceSizes, int flat, bool flip, ShadingSink& sink) {
  MeshFaces mesh{points, indices, {}, {}};
  mesh.faces.reserve(faceSizes.size());
  ForEachUsableFace(points, indices, faceSizes, [&](std::size_t first, std::size_t size) {
    if (size < 3) return;
    const Vector3 p0 = points[indices[first]];
    const Vector3 p1 = points[indices[first + 1]];
    const Vector3 p2 = points[indices[first + 2]];
    const Vector3 normal = Normalize(VecCross(VecSub(p2, p1), VecSub(p0, p1)));
    mesh.faces.push_back({first, static_cast<int>(size), flip ? NegateVector(normal) : normal});
  });

  if (flat == 0) {
    mesh.vertexNormals.resize(points.size());
    for (const MeshFaces::Face& face : mesh.faces) {
      for (std::size_t k = face.first; k < face.first + face.size; ++k) {
        Vector3& sum = mesh.vertexNormals[indices[k]];
        sum = VecAdd(sum, face.normal);
      }
    }
    for (Vector3& normal : mesh.vertexNormals) normal = Normalize(normal);
  }
  sink.Faces(mesh);
}

void RenderCapGL(int offset, const Vector3* first, int stride, int count, int steps, int closed,
                 int sign, ShadingSink& sink) {
  std::vector<Vector3> outline(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    const Vector3* point = first + static_cast<std::ptrdiff_t>(i) * stride;
    outline[i] = offset > 0 ? VecDivide(VecAdd(VecAdd(point[-offset], ScaleVec(4.0f, *point)),
                                               point[offset]),
                                        6.0f)
                            : *point;
  }
  std::vector<Vector3> sampled = EvaluateCurvePoints(outline.data(), count, DrawnSteps(steps, count));
  // A closed outline ends on a repeat of its first point.
  if (closed != 0 && !sampled.empty()) sampled.pop_back();
  if (sampled.empty()) return;

  Vector3 normal;
  for (std::size_t i = 0; i < sampled.size(); ++i) {
    normal = VecAdd(normal, VecCross(sampled[i], sampled[(i + 1) % sampled.size()]));
  }
  normal = Normalize(normal);
  if (sign < 0) normal = NegateVector(normal);
  sink.Triangles(normal, TriangulateOutlines({sampled}, normal));
}

void ResetGlShading() { GlInverseViewMatrix = Matrix4(); }

#include "exchange/triangle_export_walk.h"

#include <algorithm>

#include "exchange/export_stack.h"
#include "kernel/block_object.h"
#include "kernel/block_solid.h"
#include "kernel/boolean_object.h"
#include "kernel/bspline_curve.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_faces.h"
#include "kernel/mesh_object.h"
#include "kernel/polygon_triangulation.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"

int BooleanGroupsWrittenAsMembers = 0;

void TriangleEmitter::EmitGrid(const Vector3* grid, int rows, int columns, int orientationFlag) {
  const auto at = [&](int i, int j) {
    return grid[static_cast<std::size_t>(i) * static_cast<std::size_t>(columns) +
                static_cast<std::size_t>(j)];
  };
  for (int i = 0; i + 1 < rows; ++i) {
    for (int j = 0; j + 1 < columns; ++j) {
      const Vector3 a = at(i, j);
      const Vector3 b = at(i, j + 1);
      const Vector3 c = at(i + 1, j);
      const Vector3 d = at(i + 1, j + 1);
      if (orientationFlag != 0) {
        EmitTriangle(a, c, d);
        EmitTriangle(a, d, b);
      } else {
        EmitTriangle(a, d, c);
        EmitTriangle(a, b, d);
      }
    }
  }
}

void TriangleEmitter::EmitFaces(std::span<const Vector3> points, std::span<const std::int32_t> indices,
                                std::span<const std::int32_t> sizes) {
  ForEachUsableFace(points, indices, sizes, [&](std::size_t first, std::size_t size) {
    if (size < 3) return;
    const Vector3 tip = points[static_cast<std::size_t>(indices[first])];
    for (std::size_t m = first + 1; m + 1 < first + size; ++m) {
      EmitTriangle(tip, points[static_cast<std::size_t>(indices[m])],
                   points[static_cast<std::size_t>(indices[m + 1])]);
    }
  });
}

TriangleExportWalk::TriangleExportWalk(ExportStack& stack, TriangleEmitter& emitter)
    : stack_(stack), emitter_(emitter) {}

void TriangleExportWalk::WalkScene(const CGeomObject* first) {
  StartExport(stack_);
  ForEachExportedObject(first, [this](const CGeomObject& object) { ExportObject(object); });
}

void TriangleExportWalk::ExportObject(const CGeomObject& object) {
  switch (object.GetKind()) {
    case kKindSurface:
      ExportSurface(static_cast<const CSurfaceObject&>(object), true);
      break;
    case kKindMesh: {
      const auto& mesh = static_cast<const CMeshObject&>(object);
      emitter_.EmitFaces(mesh.points, mesh.faceIndices, mesh.faceSizes);
      break;
    }
    case kKindBlock: {
      // The solid already stands where the block's placement carries it.
      const BlockSolid solid = TessellateBlock(static_cast<const CBlockObject&>(object));
      emitter_.EmitFaces(solid.points, solid.faceIndices, solid.faceSizes);
      break;
    }
    case kKindBoolean:
      ExportGroup(static_cast<const CBooleanObject&>(object));
      break;
    case kKindGem:
      ExportGem(object);
      break;
    default:
      break;
  }
}

void TriangleExportWalk::ExportSurface(const CSurfaceObject& surface, bool caps) {
  if (!surface.GridFitsPoints()) return;
  orientationFlag_ = surface.orientationSign >= 0 ? 1 : 0;
  std::vector<Vector3> padded;
  int paddedRows = 0;
  int paddedColumns = 0;
  ExtendSurfaceNet(surface.points.data(), surface.rows, surface.columns, surface.startAttributeU,
                   surface.endAttributeU, surface.closedU, surface.startAttributeV,
                   surface.endAttributeV, surface.closedV, &padded, &paddedRows, &paddedColumns);
  // The output steps, as shading uses: the display steps only draw wire frames and may be 0.
  // A grid too small to tessellate leaves the outputs as they are, so they start empty.
  std::vector<Vector3> grid;
  int rows = 0;
  int columns = 0;
  TessellateSurface(kBSplineBasis, padded.data(), paddedRows, paddedColumns, &grid, nullptr,
                    nullptr, &rows, &columns, surface.outputStepsU, surface.outputStepsV, 0);
  if (rows < 2 || columns < 2) return;
  const auto at = [&](int i, int j) -> Vector3& {
    return grid[static_cast<std::size_t>(i) * static_cast<std::size_t>(columns) +
                static_cast<std::size_t>(j)];
  };

  // Seams match exactly.
  if (surface.closedU != 0) std::copy_n(&at(0, 0), columns, &at(rows - 1, 0));
  if (surface.closedV != 0) {
    for (int i = 0; i < rows; ++i) at(i, columns - 1) = at(i, 0);
  }

  emitter_.EmitGrid(grid.data(), rows, columns, orientationFlag_);
  if (!caps) return;

  // Each open direction gets a cap at both ends, the second wound against the first. A cap across
  // a closed direction repeats its first point at its end; the emitter drops the flat triangle
  // that may give.
  if (surface.closedV == 0) {
    for (const int column : {columns - 1, 0}) {
      ring_.clear();
      for (int i = 0; i < rows; ++i) ring_.push_back(at(i, column));
      Cap(ring_.data(), rows);
      orientationFlag_ ^= 1;
    }
  }
  if (surface.closedU == 0) {
    Cap(&at(0, 0), columns);
    orientationFlag_ ^= 1;
    Cap(&at(rows - 1, 0), columns);
  }
}

void TriangleExportWalk::Cap(Vector3* points, int count) {
  if (orientationFlag_ == 0) std::reverse(points, points + count);
  const Vector3* rings[] = {points};
  TriangulatePolygons(1, &count, rings, [this](Vector3 tip, Vector3 next, Vector3 previous) {
    emitter_.EmitTriangle(tip, next, previous);
  });
}

void TriangleExportWalk::ExportGroup(const CBooleanObject& group) {
  const bool cuts = group.Operation() == kBooleanSubtraction || group.Operation() == kBooleanIntersection;
  bool written = false;
  // A subtraction whose subtractors are hidden stands for its body alone, uncut. Members are not
  // tested against the layers: the group was.
  const bool bodyOnly = group.Operation() == kBooleanSubtraction && group.subtractBody == 0;
  for (const CGeomObject* member = group.members.head(); member != nullptr; member = member->next) {
    if (IsShownOrSelected(*member)) {
      ExportObject(*member);
      written = true;
    }
    if (bodyOnly) break;
  }
  if (cuts && written) ++BooleanGroupsWrittenAsMembers;
}

void TriangleExportWalk::ExportGem(const CGeomObject& gem) {
  CGeomObject* prototype = const_cast<CGeomObject*>(&gem);
  Matrix4 placement;
  ResolveGemInstance(prototype, &placement);
  // A bad index and a gem nested past the shared bound alike give no prototype.
  if (prototype == nullptr) return;
  const GemNestingLevel level;
  const PushedPlacement pushed(stack_, placement);
  ExportObject(*prototype);
}

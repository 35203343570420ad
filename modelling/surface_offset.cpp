#include "modelling/surface_offset.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "kernel/bspline_curve.h"
#include "kernel/knot_moves.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "scene/scene.h"
#include "scene/scene_views.h"

namespace {

bool SamePoint(Vector3 a, Vector3 b) {
  return std::fabs(a.x - b.x) < 0.0001f && std::fabs(a.y - b.y) < 0.0001f && std::fabs(a.z - b.z) < 0.0001f;
}

// The surface's points at every half span, rows x columns of them, with its unit normals there.
struct SampleGrid {
  std::vector<Vector3> points;
  std::vector<Vector3> normals;
  int rows = 0;
  int columns = 0;
};

// A line of samples that all lie on one point, a pole, takes one normal for all of them: the sum
// of theirs, turned to agree with the line beside it. So the pole moves as one point, and away
// from the surface, whatever the tangents next to it say.
void UnitePoles(SampleGrid* grid, bool rowLines) {
  const int lines = rowLines ? grid->rows : grid->columns;
  const int length = rowLines ? grid->columns : grid->rows;
  const auto at = [&](int line, int k) {
    return static_cast<std::size_t>(rowLines ? line * grid->columns + k : k * grid->columns + line);
  };
  const auto lineSum = [&](int line) {
    Vector3 sum{0, 0, 0};
    for (int k = 0; k < length; ++k) sum = VecAdd(sum, grid->normals[at(line, k)]);
    return sum;
  };
  for (int line = 0; line < lines; ++line) {
    bool collapsed = length > 1;
    for (int k = 1; k < length && collapsed; ++k) collapsed = SamePoint(grid->points[at(line, k)], grid->points[at(line, 0)]);
    if (!collapsed || lines < 2) continue;
    Vector3 normal = Normalize(lineSum(line));
    if (VecDot(normal, lineSum(line > 0 ? line - 1 : 1)) < 0.0f) normal = NegateVector(normal);
    for (int k = 0; k < length; ++k) grid->normals[at(line, k)] = normal;
  }
}

SampleGrid SurfaceSamples(const CSurfaceObject& surface) {
  SampleGrid grid;
  std::vector<Vector3> net;
  int netRows = 0, netColumns = 0;
  ExtendSurfaceNet(surface.points.data(), surface.rows, surface.columns, surface.startAttributeU,
                   surface.endAttributeU, surface.closedU, surface.startAttributeV, surface.endAttributeV,
                   surface.closedV, &net, &netRows, &netColumns);
  TessellateSurfaceNormals(kBSplineBasis, net.data(), netRows, netColumns, 2, 2, 1, &grid.points, &grid.normals,
                           &grid.rows, &grid.columns);
  if (grid.rows < 2 || grid.columns < 2) return {};
  UnitePoles(&grid, true);
  UnitePoles(&grid, false);
  return grid;
}

void AddOffsetCopy(const CSurfaceObject& surface, std::vector<Vector3> points) {
  auto* copy = static_cast<CSurfaceObject*>(DuplicateObject(&surface));
  if (copy == nullptr) return;
  const int count = static_cast<int>(points.size());
  copy->SetPoints(count, std::move(points));
}

}  // namespace

std::vector<Vector3> OffsetSurfacePoints(const CSurfaceObject& surface, float d) {
  const int rows = surface.rows;
  const int columns = surface.columns;
  if (rows < 2 || columns < 2 || !surface.GridFitsPoints()) return {};
  const SampleGrid samples = SurfaceSamples(surface);
  if (samples.points.empty()) return {};
  // Each sample the control points pass through moves along its normal; the control points move
  // so that the samples do.
  std::vector<Vector3> moves(surface.points.size());
  for (int r = 0; r < rows; ++r) {
    const int sampleRow = PassingPointIndex(r, rows, surface.closedU, surface.startAttributeU, surface.endAttributeU);
    for (int c = 0; c < columns; ++c) {
      const int sampleColumn =
          PassingPointIndex(c, columns, surface.closedV, surface.startAttributeV, surface.endAttributeV);
      const bool inside = sampleRow >= 0 && sampleRow < samples.rows && sampleColumn >= 0 && sampleColumn < samples.columns;
      moves[static_cast<std::size_t>(r * columns + c)] =
          inside ? VecScale(samples.normals[static_cast<std::size_t>(sampleRow * samples.columns + sampleColumn)], d)
                 : Vector3{0, 0, 0};
    }
  }
  for (int c = 0; c < columns; ++c) {
    PassingPointsToControlPoints(&moves[static_cast<std::size_t>(c)], rows, columns, surface.closedU,
                                 surface.startAttributeU, surface.endAttributeU);
  }
  for (int r = 0; r < rows; ++r) {
    PassingPointsToControlPoints(&moves[static_cast<std::size_t>(r * columns)], columns, 1, surface.closedV,
                                 surface.startAttributeV, surface.endAttributeV);
  }
  for (std::size_t i = 0; i < moves.size(); ++i) moves[i] = VecAdd(surface.points[i], moves[i]);
  return moves;
}

void DoOffsetSurface(float distance, int side) {
  std::vector<CSurfaceObject*> surfaces;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, kKindSurface)) {
    surfaces.push_back(static_cast<CSurfaceObject*>(object));
  }
  for (const CSurfaceObject* surface : surfaces) {
    const float d = static_cast<float>(surface->orientationSign) * (side < 0 ? -distance : distance);
    std::vector<Vector3> outside = OffsetSurfacePoints(*surface, d);
    // A grid below 2 x 2 (a generated one) has no surface to move.
    if (outside.empty()) continue;
    AddOffsetCopy(*surface, std::move(outside));
    if (side == 0) AddOffsetCopy(*surface, OffsetSurfacePoints(*surface, -d));
  }
  RedrawAllViews();
}

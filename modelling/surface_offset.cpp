#include "modelling/surface_offset.h"

#include <cmath>
#include <utility>

#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "scene/scene.h"
#include "scene/scene_views.h"

namespace {

bool Distinct(Vector3 a, Vector3 b) {
  return std::fabs(a.x - b.x) >= 0.0001f || std::fabs(a.y - b.y) >= 0.0001f || std::fabs(a.z - b.z) >= 0.0001f;
}

// The tangent at point i of a line of n points read at line[k * stride]: the unit step to the
// nearest distinct point ahead minus the unit step to the nearest one behind; a closed line
// searches on round its ends. Without a distinct neighbour a side counts as the point itself.
Vector3 LineTangent(const Vector3* line, int stride, int n, int i, int closed) {
  const auto at = [&](int k) { return line[static_cast<std::ptrdiff_t>(k) * stride]; };
  const Vector3 p = at(i);
  // The first distinct point from `from` towards `to` (exclusive) in steps of step.
  const auto search = [&](int from, int to, int step, Vector3* found) {
    for (int k = from; k != to; k += step) {
      if (Distinct(at(k), p)) {
        *found = at(k);
        return true;
      }
    }
    return false;
  };
  Vector3 forward = p;
  if (!search(i + 1, n, 1, &forward) && closed != 0) search(0, i, 1, &forward);
  Vector3 backward = p;
  if (!search(i - 1, -1, -1, &backward) && closed != 0) search(n - 1, i, -1, &backward);
  return VecSub(Normalize(VecSub(forward, p)), Normalize(VecSub(backward, p)));
}

void AddOffsetCopy(const CSurfaceObject& surface, const std::vector<Vector3>& normals, float d) {
  auto* copy = static_cast<CSurfaceObject*>(DuplicateObject(&surface));
  if (copy == nullptr) return;
  std::vector<Vector3> points(surface.points.size());
  for (std::size_t i = 0; i < points.size(); ++i) points[i] = VecAdd(surface.points[i], VecScale(normals[i], d));
  const int count = static_cast<int>(points.size());
  copy->SetPoints(count, std::move(points));
}

}  // namespace

std::vector<Vector3> SurfaceControlNormals(const CSurfaceObject& surface) {
  const int rows = surface.rows;
  const int columns = surface.columns;
  if (rows < 2 || columns < 2 || !surface.GridFitsPoints()) return {};
  const std::size_t count = surface.points.size();
  std::vector<Vector3> tangentsU(count);
  std::vector<Vector3> tangentsV(count);
  for (int r = 0; r < rows; ++r) {
    const Vector3* row = surface.points.data() + static_cast<std::ptrdiff_t>(r) * columns;
    for (int c = 0; c < columns; ++c) {
      const std::size_t i = static_cast<std::size_t>(r) * columns + c;
      tangentsV[i] = LineTangent(row, 1, columns, c, surface.closedV);
      tangentsU[i] = LineTangent(surface.points.data() + c, columns, rows, r, surface.closedU);
    }
  }
  // A collapsed edge or pole takes the tangent of the neighbouring column or row.
  SubstituteDegenerateTangents(tangentsU.data(), tangentsV.data(), rows, columns);
  std::vector<Vector3> normals(count);
  for (std::size_t i = 0; i < count; ++i) normals[i] = Normalize(VecCross(tangentsU[i], tangentsV[i]));
  return normals;
}

void DoOffsetSurface(float distance, int side) {
  std::vector<CSurfaceObject*> surfaces;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, kKindSurface)) {
    surfaces.push_back(static_cast<CSurfaceObject*>(object));
  }
  for (const CSurfaceObject* surface : surfaces) {
    // A grid below 2 x 2 (a generated one) has no neighbour row or column to stand in.
    const std::vector<Vector3> normals = SurfaceControlNormals(*surface);
    if (normals.empty()) continue;
    const float d = static_cast<float>(surface->orientationSign) * (side < 0 ? -distance : distance);
    AddOffsetCopy(*surface, normals, d);
    if (side == 0) AddOffsetCopy(*surface, normals, -d);
  }
  RedrawAllViews();
}

#include "render/render_grid_node.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "kernel/bspline_curve.h"
#include "kernel/surface_tessellation.h"
#include "render/raster_rounding.h"
#include "render/render_state.h"

namespace {

// Through the placement without its translation; not normalised, shading does that.
Vector3 TurnVector(Vector3 v, const Matrix4& m) {
  return {v.x * m[0] + v.y * m[4] + v.z * m[8], v.x * m[1] + v.y * m[5] + v.z * m[9],
          v.x * m[2] + v.y * m[6] + v.z * m[10]};
}

// In a closed direction the last line repeats the first. Copying the points too, not only the
// tangents, makes the seam one edge that both sides set up with identical arithmetic.
void CloseSeams(std::vector<Vector3>* lines[3], int rows, int columns, int closedU, int closedV) {
  for (std::vector<Vector3>* values : {lines[0], lines[1], lines[2]}) {
    if (values->empty()) continue;
    Vector3* v = values->data();
    if (closedU != 0) {
      for (int j = 0; j < columns; ++j) v[static_cast<std::size_t>(rows - 1) * columns + j] = v[j];
    }
    if (closedV != 0) {
      for (int i = 0; i < rows; ++i) v[static_cast<std::size_t>(i) * columns + columns - 1] = v[static_cast<std::size_t>(i) * columns];
    }
  }
}

}  // namespace

CRenderGridNode::CRenderGridNode(std::vector<Vector3> grid, int rows, int columns, int stepsU, int stepsV,
                                 int closedU, int closedV)
    : grid_(std::move(grid)),
      rows_(rows),
      columns_(columns),
      stepsU_(stepsU),
      stepsV_(stepsV),
      closedU_(closedU),
      closedV_(closedV),
      projection_(RenderPointProjection()),
      placement_(RenderMatrixTop()) {
  if (grid_.empty()) return;
  // The rows the net can reach. Every bound rounds up the way the triangles' rows do later, so the
  // range never ends before the surface does.
  firstRow = RoundUpCoordinate(Place(grid_[0]).y);
  lastRow = firstRow;
  for (const Vector3& point : grid_) {
    const float y = Place(point).y;
    if (y < static_cast<float>(firstRow)) firstRow = std::min(firstRow, SaturatedInt(std::trunc(y)));
    lastRow = std::max(lastRow, RoundUpCoordinate(y));
  }
}

Vector3 CRenderGridNode::Place(Vector3 p) const {
  return ShadingMode == 2 ? p : ProjectPointThrough(projection_, p.x, p.y, p.z);
}

void CRenderGridNode::BeginAtRow(int) {
  if (built_) return;
  built_ = true;
  std::vector<Vector3> points;
  std::vector<Vector3> tangentsU;
  std::vector<Vector3> tangentsV;
  int rows = 0;
  int columns = 0;
  const int wantTangents = ShadingMode != 2 ? 1 : 0;
  if (rows_ >= 4 && columns_ >= 4 && static_cast<std::size_t>(rows_) * columns_ <= grid_.size()) {
    TessellateSurface(kBSplineBasis, grid_.data(), rows_, columns_, &points, &tangentsU, &tangentsV, &rows,
                      &columns, stepsU_, stepsV_, wantTangents);
  }
  if (rows < 2 || columns < 2) {
    SetPolygon(nullptr);
    return;
  }
  std::vector<Vector3>* lines[3] = {&points, &tangentsU, &tangentsV};
  CloseSeams(lines, rows, columns, closedU_, closedV_);
  SetPolygon(Triangulate(points, tangentsU, tangentsV, rows, columns));
}

PolygonVertex* CRenderGridNode::Triangulate(const std::vector<Vector3>& points, std::vector<Vector3>& tangentsU,
                                            std::vector<Vector3>& tangentsV, int rows, int columns) const {
  const std::size_t count = points.size();
  std::vector<Vector3> placed(count);
  std::vector<Vector3> normals;
  for (std::size_t k = 0; k < count; ++k) placed[k] = Place(points[k]);
  if (ShadingMode != 2) {
    SubstituteDegenerateTangents(tangentsU.data(), tangentsV.data(), rows, columns);
    normals.resize(count);
    // U x V, the order in which bump mapping crosses the tangents.
    for (std::size_t k = 0; k < count; ++k) normals[k] = TurnVector(VecCross(tangentsU[k], tangentsV[k]), placement_);
  }

  PolygonVertex* head = nullptr;
  PolygonVertex** tail = &head;
  const auto emit = [&](int row, int column) {
    const std::size_t k = static_cast<std::size_t>(row) * columns + column;
    PolygonVertex* vertex = AllocPolygonVertex();
    vertex->next = nullptr;
    vertex->x = placed[k].x;
    vertex->y = placed[k].y;
    vertex->z = placed[k].z;
    vertex->attributes = nullptr;
    if (ShadingMode != 2) {
      VertexAttributes* a = AllocVertexAttributes();
      a->next = nullptr;
      a->position = points[k];
      a->normal = normals[k];
      a->tangentU = TurnVector(tangentsU[k], placement_);
      a->tangentV = TurnVector(tangentsV[k], placement_);
      // The surface's own parameters, 0..1 across the tessellation.
      a->u = static_cast<float>(row) / static_cast<float>(rows - 1);
      a->v = static_cast<float>(column) / static_cast<float>(columns - 1);
      vertex->attributes = a;
    }
    *tail = vertex;
    tail = &vertex->next;
  };
  for (int r = 0; r + 1 < rows; ++r) {
    for (int c = 0; c + 1 < columns; ++c) {
      emit(r, c);
      emit(r + 1, c);
      emit(r + 1, c + 1);
      emit(r, c);
      emit(r + 1, c + 1);
      emit(r, c + 1);
    }
  }
  return head;
}

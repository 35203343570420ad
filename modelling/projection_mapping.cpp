#include "modelling/projection_mapping.h"

#include <cmath>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "modelling/mapping_run.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"
#include "services/ui_utilities.h"

namespace {

Vector3 AxisUnit(int axis) {
  Vector3 unit;
  SetAxisValue(&unit, axis, 1.0f);
  return unit;
}

// The view vector (horizontal, vertical, in/out) as a world vector along the active view's axes.
Vector3 ViewToWorld(Vector3 view) {
  Vector3 world;
  const float components[3] = {view.x, view.y, view.z};
  for (int screen = 0; screen < 3; ++screen) {
    int sign = 1;
    const int axis = GetViewAxis(screen, &sign);
    SetAxisValue(&world, axis, components[screen] * static_cast<float>(sign));
  }
  return world;
}

// Places an item that a piece of the target took at depth e, tilted by R (rows sweep, cross,
// depth in frame terms). A better hit later recomputes from the saved rotation.
void TakeHit(CPointBatch* item, float e, const Matrix4& R) {
  item->bestDepth = e;
  item->taken = true;
  Vector3 placed = item->local;
  placed.z = Mapping.justTouch ? e : item->local.z + e;
  if (item->frame == nullptr && item->run == nullptr) {
    item->anchor.Set(placed);
    return;
  }
  const Matrix4 turn = MatMultiply(MatMultiply(Mapping.FTransposed, R), Mapping.F);
  const Vector3 onTarget = {item->local.x, item->local.y, e};
  const Vector3 origin = VecAdd(onTarget, VecScale(MatrixRow(R, 2), placed.z - e));
  if (item->frame != nullptr) {
    *item->frame = MatMultiply(item->rotation, turn);
  } else {
    item->rotation = turn;
  }
  item->anchor.Set(origin);
}

// Whether depth e beats the best depth found so far.
bool Better(float best, float e) { return Mapping.lowestHit ? e < best : e > best; }

// A slope k in the sweep-depth plane.
Matrix4 SlopeTurn(float k) {
  Matrix4 R = kIdentityMatrix;
  SetMatrixRow(&R, 0, Normalize({1.0f, 0.0f, k}));
  SetMatrixRow(&R, 2, Normalize({-k, 0.0f, 1.0f}));
  return R;
}

struct Triangle {
  Vector3 origin;
  Vector3 e1;
  Vector3 e2;
  float det = 0.0f;
  bool kept = false;
};

Triangle MakeTriangle(Vector3 o, Vector3 p, Vector3 q) {
  Triangle t{o, VecSub(p, o), VecSub(q, o)};
  t.det = t.e2.y * t.e1.x - t.e1.y * t.e2.x;
  t.kept = std::fabs(t.det) > 0.0001f;
  return t;
}

// Whether the triangle lies under (sweep, cross), with the point's place in it.
bool Covers(const Triangle& t, float sweep, float cross, float* s, float* u) {
  const float ps = sweep - t.origin.x;
  const float pc = cross - t.origin.y;
  *s = (ps * t.e2.y - pc * t.e2.x) / t.det;
  *u = (t.e1.x * pc - t.e1.y * ps) / t.det;
  return *s > -0.0001f && *u > -0.0001f && *s + *u - 1.0f < 0.0001f;
}

// The depth of the triangle at the point (s, u) in it.
float DepthAt(const Triangle& t, float s, float u) { return t.origin.z + s * t.e1.z + u * t.e2.z; }

// Places the item on the triangle at (s, u), where it reaches depth e, better than its best.
void TakeTriangleHit(CPointBatch* item, const Triangle& t, float s, float u, float e) {
  const float ds = (t.e2.y * t.e1.z - t.e1.y * t.e2.z) / t.det;
  const float dc = (t.e1.x * t.e2.z - t.e2.x * t.e1.z) / t.det;
  Matrix4 R = kIdentityMatrix;
  const Vector3 cross = Normalize({0.0f, 1.0f, dc});
  const Vector3 depth = Normalize(VecCross({1.0f, 0.0f, ds}, cross));
  SetMatrixRow(&R, 0, VecCross(cross, depth));
  SetMatrixRow(&R, 1, cross);
  SetMatrixRow(&R, 2, depth);
  TakeHit(item, e, R);
}

MappingRun::Options ProjectionOptions(int keepSections) {
  MappingRun::Options options;
  options.keepSections = keepSections != 0;
  options.skipGroup = TheScene.pickedGroup;
  return options;
}

}  // namespace

void BuildProjectionFrame(Vector3 direction) {
  if (VecDot(direction, direction) < 0.001f) direction = ViewToWorld({0.0f, 1.0f, 0.0f});
  const Vector3 depth = Normalize(direction);
  Vector3 h = AxisUnit(GetViewAxis(0));
  Vector3 c = VecCross(h, depth);
  if (VecDot(c, c) < 0.001f) {
    h = AxisUnit(GetViewAxis(1));
    c = VecCross(h, depth);
  }
  const Vector3 cross = Normalize(c);
  Matrix4 F = kIdentityMatrix;
  SetMatrixRow(&F, 2, depth);
  SetMatrixRow(&F, 1, cross);
  SetMatrixRow(&F, 0, VecCross(cross, depth));
  Mapping.F = F;
  Mapping.FTransposed = MatTranspose(F);
}

void ProjectSegment(const AxisTreeNode* tree, Vector3 P, Vector3 Q) {
  const float dx = Q.x - P.x;
  if (!(std::fabs(dx) > 0.0001f)) return;
  const float start = dx > 0 ? P.x : Q.x;
  const float end = dx > 0 ? Q.x : P.x;
  const float y0 = dx > 0 ? P.z : Q.z;
  const float k = (Q.z - P.z) / dx;
  WalkAxisTree(tree, start, end, [&](CPointBatch* item) {
    const float sweep = item->local.x;
    // A leaf also holds items beside the segment; they must not take its extension.
    if (!(sweep >= start - 0.0001f && sweep <= end + 0.0001f)) return;
    const float e = (sweep - start) * k + y0;
    if (Better(item->bestDepth, e)) TakeHit(item, e, SlopeTurn(k));
  });
}

void ProjectCell(QuadTree& tree, Vector3 A, Vector3 B, Vector3 C, Vector3 D) {
  const Triangle triangles[2] = {MakeTriangle(A, B, C), MakeTriangle(D, B, C)};
  if (!triangles[0].kept && !triangles[1].kept) return;
  float minSweep = A.x, maxSweep = A.x, minCross = A.y, maxCross = A.y;
  for (const Vector3& p : {B, C, D}) {
    minSweep = std::fmin(minSweep, p.x);
    maxSweep = std::fmax(maxSweep, p.x);
    minCross = std::fmin(minCross, p.y);
    maxCross = std::fmax(maxCross, p.y);
  }
  // The projection frame's sweep is x and its cross y; the tree's own copies of them and of the
  // best depth found so far keep the trials of a leaf to contiguous memory, and an item is
  // reached only where a triangle beats its nearest hit.
  WalkQuadTreeLeaves(tree, 0, minSweep, minCross, maxSweep, maxCross,
                     [&](std::uint32_t first, std::uint32_t end) {
                       for (std::uint32_t i = first; i < end; ++i) {
                         for (const Triangle& t : triangles) {
                           float s = 0.0f, u = 0.0f;
                           if (!t.kept || !Covers(t, tree.sweeps[i], tree.crosses[i], &s, &u)) continue;
                           const float e = DepthAt(t, s, u);
                           if (!Better(tree.bestDepths[i], e)) continue;
                           TakeTriangleHit(tree.items[i], t, s, u, e);
                           tree.bestDepths[i] = e;
                         }
                       }
                     });
}

void ProjectOntoCurve(CGeomObject* target, int keepSections) {
  MappingRun run(ProjectionOptions(keepSections));
  CollectProjectionItems(&run, target);
  if (run.empty()) return;
  run.MakeAxisTree();
  if (target->GetKind() == kKindCurve) {
    const auto* curve = static_cast<const CCurveObject*>(target);
    const std::vector<Vector3> extended =
        ExtendCurveEnds(curve->PointCount(), curve->points.data(), curve->startAttribute,
                        curve->endAttribute, curve->closed, 1);
    std::vector<Vector3> polyline = EvaluateCurvePoints(
        extended.data(), static_cast<int>(extended.size()), curve->stepsPerSpan);
    for (Vector3& p : polyline) TransformIntoFrame(&p);
    for (std::size_t i = 1; i < polyline.size(); ++i) {
      ProjectSegment(run.axisTree.get(), polyline[i - 1], polyline[i]);
    }
  }
  ReturnAxisTreeAnchors(run.axisTree.get());
  run.Finish();
}

void ProjectOntoSurface(CGeomObject* target, int keepSections) {
  MappingRun run(ProjectionOptions(keepSections));
  CollectProjectionItems2D(&run, target);
  if (run.empty()) return;
  run.MakeQuadTree();
  const auto* surface = target->GetKind() == kKindSurface
                            ? static_cast<const CSurfaceObject*>(target)
                            : nullptr;
  if (surface != nullptr && surface->GridFitsPoints()) {
    std::vector<Vector3> net;
    int netRows = 0, netCols = 0;
    ExtendSurfaceNet(surface->points.data(), surface->rows, surface->columns,
                     surface->startAttributeU, surface->endAttributeU, surface->closedU,
                     surface->startAttributeV, surface->endAttributeV, surface->closedV, &net,
                     &netRows, &netCols);
    std::vector<Vector3> grid;
    int rows = 0, cols = 0;
    TessellateSurface(kBSplineBasis, net.data(), netRows, netCols, &grid, nullptr, nullptr, &rows,
                      &cols, surface->displayStepsU, surface->displayStepsV, 0);
    if (rows >= 2 && cols >= 2 && grid.size() == static_cast<std::size_t>(rows) * cols) {
      const auto at = [&](int r, int c) -> Vector3& { return grid[std::size_t(r) * cols + c]; };
      if (surface->closedU != 0) {
        for (int c = 0; c < cols; ++c) at(rows - 1, c) = at(0, c);
      }
      if (surface->closedV != 0) {
        for (int r = 0; r < rows; ++r) at(r, cols - 1) = at(r, 0);
      }
      for (Vector3& p : grid) TransformIntoFrame(&p);
      for (int r = 0; r + 1 < rows; ++r) {
        for (int c = 0; c + 1 < cols; ++c) {
          ProjectCell(*run.quadTree, at(r, c), at(r + 1, c), at(r, c + 1), at(r + 1, c + 1));
        }
      }
    }
  }
  ReturnQuadTreeAnchors(run.quadTree.get());
  run.Finish();
}

void RunProjectMap(CGeomObject* target, int lowestHit, int justTouch, Vector3 viewVector,
                   int keepSections) {
  WaitCursor wait;
  Mapping.lowestHit = lowestHit;
  Mapping.justTouch = justTouch;
  BuildProjectionFrame(ViewToWorld(viewVector));
  Mapping.sweepAxis = 0;
  Mapping.crossAxis = 1;
  Mapping.depthAxis = 2;
  if (target->GetKind() == kKindCurve) {
    ProjectOntoCurve(target, keepSections);
  } else {
    ProjectOntoSurface(target, keepSections);
  }
  RedrawAllViews();
}

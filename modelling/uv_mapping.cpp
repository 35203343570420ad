#include "modelling/uv_mapping.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "kernel/polyline_resample.h"
#include "kernel/section_placement.h"
#include "kernel/surface_evaluation.h"
#include "kernel/surface_object.h"
#include "kernel/surface_span_tables.h"
#include "kernel/surface_tessellation.h"
#include "modelling/mapping_run.h"
#include "scene/pick_callback_tool.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"
#include "scene/view_axis.h"
#include "services/layer_table.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

// One layout axis: the world axis and the sign it is shown with.
struct LayoutAxis {
  int axis = 0;
  float sign = 1.0f;
  float Of(const Vector3& p) const { return sign * AxisValue(p, axis); }
};

LayoutAxis ViewAxis(int screen) {
  int sign = 1;
  const int axis = GetViewAxis(screen, &sign);
  return {axis, static_cast<float>(sign)};
}

// [lo, hi] seen along a negated axis.
void NegateInterval(float* lo, float* hi) {
  const float oldLo = *lo;
  *lo = -*hi;
  *hi = -oldLo;
}

// The patches a mapping evaluates: the padded net's span tables.
struct TargetPatches {
  SurfaceSpanTables tables;
  int spansU = 0;
  int spansV = 0;
  int wrapU = 0;
  int wrapV = 0;
};

TargetPatches MakePatches(const Vector3* grid, int rows, int cols, int startU, int endU,
                          int closedU, int startV, int endV, int closedV) {
  TargetPatches patches;
  std::vector<Vector3> net;
  int netRows = 0, netCols = 0;
  ExtendSurfaceNet(grid, rows, cols, startU, endU, closedU, startV, endV, closedV, &net, &netRows,
                   &netCols);
  BuildSurfaceSpanTables(kBSplineBasis, kBSplineBasis, &patches.tables, net.data(), netRows,
                         netCols);
  if (!patches.tables.empty()) {
    patches.spansU = netRows - 3;
    patches.spansV = netCols - 3;
  }
  patches.wrapU = closedU;
  patches.wrapV = closedV;
  return patches;
}

// Places every item of the run at surface parameters (u, w) moved off along the normal; items
// with a frame turn with the surface: rows u-axis, w-axis and normal-axis of the layout take the
// frame's tangents and normal.
void PlaceItems(MappingRun* run, const TargetPatches& patches, LayoutAxis uAxis, LayoutAxis wAxis,
                LayoutAxis offsetAxis, float uLo, float uScale, float uOffset, float wLo,
                float wScale, float wOffset) {
  for (CPointBatch* item = run->items(); item != nullptr; item = item->next) {
    const Vector3 p = item->local;
    const double u = (uAxis.Of(p) - uLo) * uScale + uOffset;
    const double w = (wAxis.Of(p) - wLo) * wScale + wOffset;
    if (item->frame != nullptr) {
      Matrix4 G;
      SurfaceFrameAt(&G, patches.tables, patches.spansU, patches.spansV, u, w, 0, patches.wrapU,
                     patches.wrapV);
      Matrix4 T = kIdentityMatrix;
      SetMatrixRow(&T, uAxis.axis, VecScale(MatrixRow(G, 0), uAxis.sign));
      SetMatrixRow(&T, wAxis.axis, VecScale(MatrixRow(G, 1), wAxis.sign));
      SetMatrixRow(&T, offsetAxis.axis, VecScale(MatrixRow(G, 2), offsetAxis.sign));
      *item->frame = MatMultiply(item->rotation, T);
    }
    Vector3 placed;
    SurfaceOffsetPoint(&placed, patches.tables, patches.spansU, patches.spansV, u, w,
                       offsetAxis.Of(p), patches.wrapU, patches.wrapV);
    item->anchor.Set(placed);
    item->taken = true;
  }
}

float Scale(int spans, float lo, float hi) {
  return std::fabs(hi - lo) > 0.0001f ? static_cast<float>(spans) / (hi - lo) : 0.0f;
}

MappingRun::Options UvOptions() {
  MappingRun::Options options;
  options.skipGroup = TheScene.pickedGroup;
  return options;
}

}  // namespace

void UVMapOntoSurface(CGeomObject* target) {
  if (target->GetKind() != kKindSurface) return;
  auto* surface = static_cast<CSurfaceObject*>(target);
  LayoutAxis h = ViewAxis(0);
  LayoutAxis v = ViewAxis(1);
  LayoutAxis d = ViewAxis(2);
  Mapping.sweepAxis = h.axis;
  Mapping.crossAxis = v.axis;
  Mapping.depthAxis = d.axis;
  MappingRun run(UvOptions());
  CollectUvItems2D(&run, target);
  if (run.empty()) return;
  const float xmin = run.lo, xmax = run.hi, ymin = run.crossLo, ymax = run.crossHi;
  float x0 = xmin, x1 = xmax, y0 = ymin, y1 = ymax;
  if (Mapping.uvDirection != -1) {
    x0 = Mapping.x0;
    x1 = Mapping.x1;
    y0 = Mapping.y0;
    y1 = Mapping.y1;
    if (h.sign < 0) NegateInterval(&x0, &x1);
    if (v.sign < 0) NegateInterval(&y0, &y1);
  }
  const bool wide = surface->rows < surface->columns;
  const bool alongV =
      Mapping.uvDirection == -1 ? (ymax - ymin > xmax - xmin) : (Mapping.uvDirection == 1);
  if (wide) {
    h.sign = -h.sign;
    d.sign = -d.sign;
  }
  if (alongV != wide) {
    const LayoutAxis oldH = h;
    h = {v.axis, v.sign};
    v = {oldH.axis, -oldH.sign};
    std::swap(x0, y0);
    std::swap(x1, y1);
  }
  if (h.sign < 0) NegateInterval(&x0, &x1);
  if (v.sign < 0) NegateInterval(&y0, &y1);
  if (!surface->GridFitsPoints()) return;
  const TargetPatches patches =
      MakePatches(surface->points.data(), surface->rows, surface->columns,
                  surface->startAttributeU, surface->endAttributeU, surface->closedU,
                  surface->startAttributeV, surface->endAttributeV, surface->closedV);
  // A grid below 4 x 4 padded gives no patches: nothing is mapped.
  if (patches.tables.empty()) return;
  PlaceItems(&run, patches, h, v, d, x0, Scale(patches.spansU, x0, x1),
             surface->closedU ? -0.5f : 0.0f, y0, Scale(patches.spansV, y0, y1),
             surface->closedV ? -0.5f : 0.0f);
  run.Finish();
}

namespace {

// The path the ribbon follows: points equally spaced by arc length, or the control points.
std::vector<Vector3> RibbonPath(const CCurveObject& curve, bool uniform) {
  if (!uniform) return curve.points;
  std::vector<Vector3> polygon =
      ExtendCurveEnds(curve.PointCount(), curve.points.data(), curve.startAttribute,
                      curve.endAttribute, curve.closed, 1);
  // A closed curve's points run once round it and end on the first again, so the path spaced
  // along them closes with a step like every other.
  if (curve.closed != 0 && !polygon.empty()) polygon = SampleCurve(polygon.data(), static_cast<int>(polygon.size()), 2);
  const std::vector<Vector3> points =
      EvaluateCurvePoints(polygon.data(), static_cast<int>(polygon.size()), curve.stepsPerSpan);
  const int m = static_cast<int>(points.size());
  if (m < 1) return {};
  std::vector<Vector3> path(static_cast<std::size_t>(2 * m - 1));
  ResamplePolyline(points.data(), path.data(), m, 2 * m - 1);
  if (curve.closed != 0 && path.size() > 1) path.pop_back();
  return path;
}

}  // namespace

void UVMapOntoCurve(CGeomObject* target) {
  if (target->GetKind() != kKindCurve) return;
  const auto* curve = static_cast<const CCurveObject*>(target);
  const LayoutAxis h = ViewAxis(0);
  const LayoutAxis v = ViewAxis(1);
  const LayoutAxis d = ViewAxis(2);
  MappingRun run(UvOptions());
  LayoutAxis along;
  LayoutAxis third;
  float lo = 0.0f, hi = 0.0f;
  const int direction = Mapping.uvDirection;
  if (direction == -1) {
    Mapping.sweepAxis = h.axis;
    Mapping.crossAxis = v.axis;
    CollectUvItems2D(&run, target);
    if (run.empty()) return;
    // A tie of extents takes v.
    if (run.crossHi - run.crossLo < run.hi - run.lo) {
      along = h;
      third = v;
      lo = run.lo;
      hi = run.hi;
    } else {
      along = v;
      third = {h.axis, -h.sign};
      lo = run.crossLo;
      hi = run.crossHi;
    }
  } else {
    along = direction == 1 ? v : h;
    third = direction == 1 ? LayoutAxis{h.axis, -h.sign} : v;
    Mapping.sweepAxis = along.axis;
    CollectUvItems(&run, target);
    if (run.empty()) return;
    lo = direction == 1 ? Mapping.y0 : Mapping.x0;
    hi = direction == 1 ? Mapping.y1 : Mapping.x1;
  }
  if (along.sign < 0) NegateInterval(&lo, &hi);

  const bool uniform = Mapping.uvUniform != 0;
  const std::vector<Vector3> path = RibbonPath(*curve, uniform);
  const int count = static_cast<int>(path.size());
  if (count < 2) return;
  std::vector<Vector3> ribbon(static_cast<std::size_t>(count) * 2);
  for (int i = 0; i < count; ++i) ribbon[std::size_t(i) * 2 + 1] = {1.0f, 0.0f, 0.0f};
  PlaceSectionsAlongPathB(2, count, curve->closed, ribbon.data(), path.data());
  // The ribbon runs across along the second layout direction, whatever the reference gave.
  if (d.Of(VecSub(ribbon[1], ribbon[0])) < 0.0f) {
    for (int i = 0; i < count; ++i) {
      Vector3& second = ribbon[std::size_t(i) * 2 + 1];
      second = VecSub(VecScale(ribbon[std::size_t(i) * 2], 2.0f), second);
    }
  }
  const int ends = uniform ? 0 : 1;
  const TargetPatches patches = MakePatches(
      ribbon.data(), count, 2, ends ? curve->startAttribute : 0, ends ? curve->endAttribute : 0,
      curve->closed, 0, 0, 0);
  if (patches.tables.empty()) return;
  const float offset = (!uniform && curve->closed != 0) ? -0.5f : 0.0f;
  PlaceItems(&run, patches, along, d, third, lo, Scale(patches.spansU, lo, hi), offset, 0.0f, 1.0f,
             0.0f);
  run.Finish();
}

namespace {

// Every object at one temporary state goes to another.
void ChangeStates(int from, int to) {
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, from, 0)) object->ObjectState = to;
}

// The temporary states of a run come back however it ends.
struct TemporaryStates {
  ~TemporaryStates() {
    ChangeStates(9999, kStateShown);
    ChangeStates(1000, kStateSelected);
  }
};

bool IsMappingTarget(const CGeomObject& object) {
  return object.GetKind() == kKindCurve || object.GetKind() == kKindSurface;
}

void MapOnto(CGeomObject* target) {
  if (target->GetKind() == kKindCurve) {
    UVMapOntoCurve(target);
  } else {
    UVMapOntoSurface(target);
  }
}

void UvMapPickedTool(CPickCallbackTool* tool) {
  if (tool->picked != nullptr) UvMapPicked(tool->picked);
}

}  // namespace

void UvMapOntoAll() {
  SweepReferenceMatrix = MatInverse(GetActiveViewMatrix());
  WaitCursor wait;
  int sources = 0;
  int targets = 0;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, -1, 0)) {
    if (object->ObjectState == kStateSelected) ++sources;
    if (object->ObjectState == kStateShown && IsMappingTarget(*object)) ++targets;
  }
  if (sources == 0 || targets == 0) return;
  PushDeletedLevel();
  std::vector<CGeomObject*> sourceList;
  cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, 0)) {
    RecordUndo(object, 2);
    object->ObjectState = -1;
    sourceList.push_back(object);
  }
  TemporaryStates restore;
  std::vector<CGeomObject*> targetList;
  cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateShown, 0)) {
    object->ObjectState = 9999;
    if (IsMappingTarget(*object)) targetList.push_back(object);
  }
  TheScene.pickedGroup = nullptr;
  for (CGeomObject* target : targetList) {
    for (const CGeomObject* source : sourceList) DuplicateObject(source);
    MapOnto(target);
    ChangeStates(kStateSelected, 1000);
  }
  RedrawAllViews();
}

void UvMapPicked(CGeomObject* target) {
  SweepReferenceMatrix = MatInverse(GetActiveViewMatrix());
  WaitCursor wait;
  MapOnto(target);
  RedrawAllViews();
}

void DoUVMap(int direction, int uniform, int all, float x0, float x1, float y0, float y1) {
  Mapping.uvDirection = direction;
  Mapping.uvUniform = uniform;
  Mapping.x0 = x0;
  Mapping.x1 = x1;
  Mapping.y0 = y0;
  Mapping.y1 = y1;
  if (all != 0) {
    UvMapOntoAll();
    return;
  }
  ShowStatusText(GetLocalizedString(10075));
  StartCallbackTool(UvMapPickedTool, kKindCurve, kKindSurface);
  SetToolCursor();
}

void DoUVMapDefaults() { DoUVMap(-1, 1, 0, 0.0f, 10.0f, 0.0f, 10.0f); }

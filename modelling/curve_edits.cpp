#include "modelling/curve_edits.h"

#include <algorithm>
#include <utility>

#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "kernel/solid_profile_points.h"
#include "modelling/curve_tool.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

std::vector<CCurveObject*> SelectedCurves() {
  std::vector<CCurveObject*> curves;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, kKindCurve)) {
    curves.push_back(static_cast<CCurveObject*>(object));
  }
  return curves;
}

namespace {

void SetClosedFlag(int closed) {
  if (CurveToolActive()) {
    // The tool records the curve when it finishes, so the flag needs no record of its own.
    CCurveObject* curve = CurveToolWorkingCurve();
    if (curve == nullptr || (curve->closed != 0) == (closed != 0)) return;
    RefreshAllViews(0);
    curve->closed = closed;
    RefreshAllViews(0);
    return;
  }
  ResetToPickTool();
  const std::vector<CCurveObject*> curves = SelectedCurves();
  for (CCurveObject* curve : curves) {
    RecordUndo(curve, kUndoChanged);
    curve->closed = closed;
  }
  if (!curves.empty()) RedrawAllViews();
}

// A copy of the curve, selected and added, with other control points; none without an active
// viewport.
void AddCopyWithPoints(const CCurveObject& curve, std::vector<Vector3> points) {
  auto* copy = static_cast<CCurveObject*>(DuplicateObject(&curve));
  if (copy == nullptr) return;
  const int count = static_cast<int>(points.size());
  copy->SetPoints(count, std::move(points));
}

}  // namespace

void DoCurveClose() { SetClosedFlag(1); }

void DoCurveOpen() { SetClosedFlag(0); }

void ReverseCurvePoints(CCurveObject* curve) {
  std::reverse(curve->points.begin(), curve->points.end());
  // Marks filled in short of the points stand for the first points only.
  curve->marks.resize(curve->points.size(), 0);
  std::reverse(curve->marks.begin(), curve->marks.end());
}

void DoCurveReverse() {
  const std::vector<CCurveObject*> curves = SelectedCurves();
  for (CCurveObject* curve : curves) {
    RecordUndo(curve, kUndoMarksChanged);
    std::swap(curve->startAttribute, curve->endAttribute);
    ReverseCurvePoints(curve);
  }
  if (!curves.empty()) RedrawAllViews();
}

std::vector<Vector3> RefineControlLine(int n, const Vector3* points, int stride, int startAttr, int endAttr,
                                       int closed, int number) {
  if (number < 1) return {};
  const std::vector<Vector3> padded = ExtendCurveEnds(n, points, startAttr, endAttr, closed, stride);
  std::vector<Vector3> refined = SampleCurve(padded.data(), static_cast<int>(padded.size()), number);
  if (refined.empty()) return {};
  if (closed != 0) {
    const auto first = refined.begin() + 1;
    return {first, first + static_cast<std::ptrdiff_t>(number) * n};
  }
  std::size_t begin = startAttr == 0 ? 1 : 0;
  std::size_t end = refined.size() - (endAttr == 0 ? 1 : 0);
  return {refined.begin() + static_cast<std::ptrdiff_t>(begin), refined.begin() + static_cast<std::ptrdiff_t>(end)};
}

std::vector<Vector3> DivideCurvePoints(const CCurveObject& curve, int number) {
  return RefineControlLine(curve.PointCount(), curve.points.data(), 1, curve.startAttribute, curve.endAttribute,
                           curve.closed, number);
}

void DoCurveDivide(int number) {
  // A curve too short to refine keeps its place: replacing it would leave an empty copy.
  std::vector<std::pair<CCurveObject*, std::vector<Vector3>>> divided;
  for (CCurveObject* curve : SelectedCurves()) {
    std::vector<Vector3> points = DivideCurvePoints(*curve, number);
    if (!points.empty()) divided.emplace_back(curve, std::move(points));
  }
  if (divided.empty()) return;
  PushDeletedLevel();
  for (auto& [curve, points] : divided) {
    RecordUndo(curve, kUndoMarksChanged);
    curve->ObjectState = -1;
    AddCopyWithPoints(*curve, std::move(points));
  }
  RedrawAllViews();
}

std::vector<Vector3> OffsetCurvePoints(const CCurveObject& curve, float distance) {
  if (curve.PointCount() < 2) return {};
  return BuildSolidProfilePoints(curve.points.data(), curve.PointCount(), curve.closed, distance,
                                 MatInverse(GetActiveViewMatrix()));
}

void DoOffsetCurve(float distance, int side) {
  const std::vector<CCurveObject*> curves = SelectedCurves();
  for (CCurveObject* curve : curves) {
    if (curve->PointCount() < 2) continue;
    if (side >= 0) AddCopyWithPoints(*curve, OffsetCurvePoints(*curve, distance));
    if (side <= 0) AddCopyWithPoints(*curve, OffsetCurvePoints(*curve, -distance));
  }
  if (!curves.empty()) RedrawAllViews();
}

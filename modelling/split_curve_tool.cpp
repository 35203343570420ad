#include "modelling/split_curve_tool.h"

#include <vector>

#include "kernel/curve_object.h"
#include "modelling/curve_texts.h"
#include "modelling/start_tool.h"
#include "modelling/curve_tool.h"
#include "scene/object_picking.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

namespace {

constexpr int kRed = 255;

void AddPart(const CCurveObject& source, int first, int last) {
  auto* part = static_cast<CCurveObject*>(DuplicateObject(&source));
  if (part == nullptr) return;
  std::vector<Vector3> points(source.points.begin() + first, source.points.begin() + last + 1);
  part->SetPoints(last - first + 1, std::move(points));
  part->closed = 0;
}

}  // namespace

void CSplitCurveTool::OnLButtonDown(int, int x, int y) {
  picked_ = static_cast<CCurveObject*>(PickObjectAt(x, y, kKindCurve, kRed));
}

void CSplitCurveTool::OnLButtonUp(int, int x, int y) {
  CCurveObject* curve = picked_;
  picked_ = nullptr;
  if (curve == nullptr) return;
  const int count = curve->PointCount();
  const int at = PickControlPoint(curve->points, x, y);
  if (at <= 0 || at >= count - 1) return;
  BeginUndoStep();
  PushDeletedLevel();
  RecordUndo(curve, kUndoChanged);
  curve->ObjectState = -1;
  AddPart(*curve, 0, at);
  AddPart(*curve, at, count - 1);
  RedrawAllViews();
}

void DoSplitCurve() {
  StartDefaultTool<CSplitCurveTool>(kSplittingCurvesString);
}

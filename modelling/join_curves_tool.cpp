#include "modelling/join_curves_tool.h"

#include "modelling/curve_texts.h"
#include "modelling/start_tool.h"
#include "scene/object_picking.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

namespace {

constexpr int kRed = 255;

}  // namespace

CJoinCurvesTool::~CJoinCurvesTool() {
  // Without an active viewport (the program's reset) the picked curves may be gone already.
  if (joined_->points.empty() || GetActiveView() == nullptr) return;
  if (AddObject(joined_, 1) == nullptr) return;
  PushDeletedLevel();
  for (const Pick& pick : picked_) {
    RecordUndo(pick.curve, kUndoChanged);
    pick.curve->ObjectState = -1;
  }
  RedrawAllViews();
}

void CJoinCurvesTool::OnLButtonDown(int, int x, int y) {
  if (PickCount() >= kMaxPicks) return;
  auto* curve = static_cast<CCurveObject*>(PickObjectAt(x, y, kKindCurve, kRed));
  if (curve == nullptr) return;
  RefreshAllViews(0);
  picked_.push_back({curve, curve->PointCount()});
  std::vector<Vector3> points = joined_->points;
  points.insert(points.end(), curve->points.begin(), curve->points.end());
  const int count = static_cast<int>(points.size());
  joined_->SetPoints(count, std::move(points));
  RefreshAllViews(0);
}

void CJoinCurvesTool::OnLButtonDblClk(int, int, int) {
  if (picked_.empty()) return;
  RefreshAllViews(0);
  const int kept = joined_->PointCount() - picked_.back().pointCount;
  picked_.pop_back();
  std::vector<Vector3> points(joined_->points.begin(), joined_->points.begin() + kept);
  joined_->SetPoints(kept, std::move(points));
  RefreshAllViews(0);
}

void CJoinCurvesTool::DrawFeedback(int) {
  if (!joined_->points.empty()) joined_->Draw(1);
}

void DoJoinCurves() {
  StartDefaultTool<CJoinCurvesTool>(kJoiningCurvesString);
}

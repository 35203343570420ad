#include "modelling/curve_tool.h"

#include <cmath>

#include "scene/drawing_context.h"
#include "scene/object_picking.h"
#include "scene/picking.h"
#include "scene/pointer_snapping.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"
#include "scene/view_axis.h"
#include "scene/viewport.h"

namespace {

constexpr float kSamePoint = 0.0001f;
constexpr int kControlPointTolerance = 5;
constexpr float kInsertReach = 25.0f;

// The one drawing tool alive, for the commands that act on its curve.
CCurveTool* liveCurveTool = nullptr;

bool SamePoint(Vector3 a, Vector3 b) {
  return std::fabs(a.x - b.x) <= kSamePoint && std::fabs(a.y - b.y) <= kSamePoint && std::fabs(a.z - b.z) <= kSamePoint;
}

// Screen pixels of model points under the active view's projection.
Matrix4 ActiveModelToScreen() {
  ApplyActiveViewProjection();
  return GetViewTransform();
}

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

float Distance(Vector3 a, Vector3 b) {
  const Vector3 d = VecSub(a, b);
  return std::sqrt(VecDot(d, d));
}

// Distance from the origin (the click) to the line through a and b, when the origin's foot lies
// strictly between them; else none.
bool PerpendicularDistance(Vector3 a, Vector3 b, float* distance) {
  const float dx = b.x - a.x;
  const float dy = b.y - a.y;
  const float da = a.x * dx + a.y * dy;
  const float db = b.x * dx + b.y * dy;
  if (!((da < 0.0f && db > 0.0f) || (da > 0.0f && db < 0.0f))) return false;
  const float length = Length(dx, dy);
  if (length == 0.0f) return false;
  *distance = std::fabs(dx / length * b.y - dy / length * b.x);
  return true;
}

}  // namespace

int PickControlPoint(std::span<const Vector3> points, int x, int y) {
  if (points.empty()) return -1;
  const Matrix4 toScreen = ActiveModelToScreen();
  // Only the pick square takes the wider tolerance; other picks keep theirs.
  const int tolerance = GetPickTolerance();
  SetPickTolerance(kControlPointTolerance);
  SetPickPoint(x, y);
  SetPickTolerance(tolerance);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Vector3 screen = TransformPoint(points[i], toScreen);
    if (SegmentHitsPickRect(screen.x, screen.y, screen.x, screen.y)) return static_cast<int>(i);
  }
  return -1;
}

int PickInsertSegment(std::span<const Vector3> points, int closed, int x, int y) {
  const int count = static_cast<int>(points.size());
  if (count < 2) return -1;
  const Matrix4 toScreen = ActiveModelToScreen();
  std::vector<Vector3> screen(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    screen[i] = TransformPoint(points[i], toScreen);
    screen[i] = {screen[i].x - static_cast<float>(x), screen[i].y - static_cast<float>(y), 0.0f};
  }
  float best = 1e30f;
  int winner = 0;
  if (closed != 0) {
    if (PerpendicularDistance(screen[count - 1], screen[0], &best)) {
      winner = count;
    } else {
      best = 1e30f;
    }
  } else {
    const float first = Length(screen[0].x, screen[0].y);
    const float last = Length(screen[count - 1].x, screen[count - 1].y);
    best = std::min(first, last);
    winner = first <= last ? 0 : count;
  }
  for (int i = 1; i < count; ++i) {
    float distance = 0.0f;
    if (PerpendicularDistance(screen[i - 1], screen[i], &distance) && distance < kInsertReach && distance < best) {
      best = distance;
      winner = i;
    }
  }
  return winner > 0 && winner < count ? winner : -1;
}

bool CurveToolActive() { return liveCurveTool != nullptr; }

CCurveObject* CurveToolWorkingCurve() { return liveCurveTool != nullptr ? liveCurveTool->WorkingCurve() : nullptr; }

CCurveTool::CCurveTool(int closedAtStart) : CTool(0), closedAtStart_(closedAtStart) { liveCurveTool = this; }

CCurveTool::~CCurveTool() {
  FinishCurve();
  if (liveCurveTool == this) liveCurveTool = nullptr;
}

void CCurveTool::LocateCopy(int i) {
  located_ = i;
  copy_ = 0;
}

void CCurveTool::WriteControlPoints() {
  if (!working_) return;
  const std::vector<Vector3> points = ControlPointsOf(std::vector<Vector3>(free_.begin(), free_.begin() + freeCount_));
  working_->SetPoints(static_cast<int>(points.size()), points);
}

int CCurveTool::CountEqualFrom(int index, Vector3 value) const {
  int count = 0;
  while (index + count < working_->PointCount() && SamePoint(working_->points[index + count], value)) ++count;
  return count;
}

void CCurveTool::OnLButtonDown(int flags, int x, int y) {
  if ((flags & kMouseRightButton) != 0) {
    DeletePickedPoint();
    return;
  }
  if ((flags & kMouseShift) != 0 || pickCurveFirst) {
    if (CGeomObject* hit = PickObjectAt(x, y, kKindCurve, -1)) {
      FinishCurve();
      BeginCurve(static_cast<CCurveObject*>(hit));
    }
    return;
  }
  const CViewport* active = GetActiveView();
  const CUndoHistory* activeDocument = active != nullptr ? active->documentHistory : nullptr;
  if ((flags & kMouseControl) != 0 || ownerHistory != activeDocument || !working_) {
    FinishCurve();
    BeginCurve(nullptr);
  }
  ClickPoint(x, y, 0);
}

void CCurveTool::OnLButtonUp(int, int, int) { picked_ = -1; }

void CCurveTool::OnLButtonDblClk(int flags, int x, int y) {
  if ((flags & kMouseRightButton) == 0) ClickPoint(x, y, 1);
  picked_ = -1;
}

void CCurveTool::OnRButtonDblClk(int, int, int) {}

void CCurveTool::OnRButtonDown(int flags, int, int) {
  if ((flags & kMouseLeftButton) != 0) DeletePickedPoint();
}

void CCurveTool::OnRButtonUp(int flags, int, int) {
  if ((flags & kMouseLeftButton) == 0 || multiplicity_ == 0) picked_ = -1;
}

void CCurveTool::OnMouseMove(int, int x, int y) {
  if (picked_ >= 0) Drag(x, y);
}

void CCurveTool::DrawFeedback(int) {
  if (working_) working_->Draw(1);
}

void CCurveTool::GetBounds(Vector3* min, Vector3* max) const {
  if (!working_) {
    CTool::GetBounds(min, max);
    return;
  }
  working_->GetBounds(min, max, kIdentityMatrix);
}

void CCurveTool::ClickPoint(int x, int y, int mode) {
  if (!working_) return;
  if (freeCount_ == 0) {
    depthAxis_ = GetViewAxis(2);
    SetUpSymmetry();
  }
  picked_ = PickControlPoint(working_->points, x, y);
  if (picked_ >= 0 && mode == 0) {
    const Vector3 value = working_->points[picked_];
    multiplicity_ = CountEqualFrom(picked_, value);
    ShowPointStatus(value.x, value.y, value.z);
    Drag(x, y);
    return;
  }
  if (picked_ >= 0) {
    // A double-click on a point doubles it: a sharp corner.
    RefreshAllViews(0);
    const Vector3 value = working_->points[picked_];
    LocateCopy(picked_);
    picked_ += copy_;
    ++freeCount_;
    LocateCopy(picked_);
    free_.insert(free_.begin() + located_, value);
    ShowPointStatus(value.x, value.y, value.z);
    ApplySymmetry();
    WriteControlPoints();
    multiplicity_ = 1;
    RefreshAllViews(0);
    return;
  }
  if (mode == 1) return;
  RefreshAllViews(0);
  const int count = working_->PointCount();
  const int segment = PickInsertSegment(working_->points, working_->closed, x, y);
  if (segment >= 0) {
    picked_ = segment - 1;
    LocateCopy(picked_);
    ++freeCount_;
    picked_ = segment - 1 + copy_ + 1;
    LocateCopy(picked_);
    // The new point starts as the one it goes before, so it takes that point's depth.
    const Vector3 start = located_ < static_cast<int>(free_.size()) ? free_[located_] : Vector3{};
    free_.insert(free_.begin() + located_, start);
    ShowPointStatus(start.x, start.y, start.z);
    SnapPointToGrid(&free_[located_], x, y);
  } else if (freeCount_ == 0) {
    free_.assign(1, Vector3{});
    SnapPointToGrid(&free_[0], x, y);
    picked_ = located_ = copy_ = 0;
    ++freeCount_;
  } else {
    // An end grows: the start when the click is nearer the first point than either end of
    // copy 0 and the curve; else after the last free point, or as the curve's last point.
    const auto onPlaneOf = [x, y](Vector3 p) {
      SnapPointToGrid(&p, x, y);
      return p;
    };
    const Vector3 first = working_->points[0];
    const Vector3 last = working_->points[count - 1];
    const Vector3 lastFree = working_->points[freeCount_ - 1];
    const Vector3 a = onPlaneOf(first);
    const Vector3 b = onPlaneOf(last);
    const Vector3 c = onPlaneOf(lastFree);
    const float dA = Distance(a, first);
    const float dB = Distance(b, last);
    const float dC = Distance(c, lastFree);
    Vector3 value;
    if (freeCount_ >= 2 && dA < dB && dA < dC) {
      value = a;
      picked_ = located_ = copy_ = 0;
      ++freeCount_;
    } else if (CopiesPerPoint() == 1 || dC < dB) {
      value = c;
      located_ = freeCount_;
      copy_ = 0;
      picked_ = freeCount_;
      ++freeCount_;
    } else {
      value = b;
      ++freeCount_;
      picked_ = CopiesPerPoint() * freeCount_ - 1;
      LocateCopy(picked_);
    }
    free_.insert(free_.begin() + located_, value);
  }
  ApplySymmetry();
  WriteControlPoints();
  RefreshAllViews(0);
  multiplicity_ = 1;
}

void CCurveTool::Drag(int x, int y) {
  RefreshAllViews(0);
  Vector3 value = working_->points[picked_];
  SnapPointToGrid(&value, x, y);
  for (int i = picked_ + multiplicity_ - 1; i >= picked_; --i) {
    LocateCopy(i);
    free_[located_] = value;
    ApplySymmetry();
  }
  WriteControlPoints();
  RefreshAllViews(0);
}

void CCurveTool::DeletePickedPoint() {
  if (picked_ < 0 || !working_) return;
  RefreshAllViews(0);
  LocateCopy(picked_);
  free_.erase(free_.begin() + located_);
  const Vector3 old = working_->points[picked_];
  --freeCount_;
  picked_ -= copy_;
  WriteControlPoints();
  multiplicity_ = CountEqualFrom(picked_, old);
  if (multiplicity_ == 0) picked_ = -1;
  RefreshAllViews(0);
}

void CCurveTool::BeginCurve(CCurveObject* source) {
  boundViewport = GetActiveView();
  ownerHistory = boundViewport != nullptr ? boundViewport->documentHistory : nullptr;
  source_ = source;
  picked_ = -1;
  if (source == nullptr) {
    working_ = std::make_unique<CCurveObject>();
    working_->ObjectState = 1;
    working_->closed = closedAtStart_;
    working_->SetPoints(0);
    free_.clear();
    freeCount_ = 0;
    RefreshAllViews(1);
    BeginUndoStep();
  } else {
    // The clone's points are replaced by what the symmetry makes of the first free points.
    working_.reset(static_cast<CCurveObject*>(source->Clone().release()));
    const int copies = CopiesPerPoint();
    freeCount_ = (source->PointCount() + copies - 1) / copies;
    free_.assign(source->points.begin(), source->points.begin() + freeCount_);
    depthAxis_ = GetViewAxis(2);
    SetUpSymmetry();
    WriteControlPoints();
    BeginUndoStep();
    PushDeletedLevel();
    RecordUndo(source, kUndoChanged);
    source->ObjectState = -1;
    working_->ObjectState = 1;
    RedrawAllViews();
  }
  pickCurveFirst = false;
}

void CCurveTool::FinishCurve() {
  std::unique_ptr<CCurveObject> curve = std::move(working_);
  const bool edited = source_ != nullptr;
  source_ = nullptr;
  if (!curve || freeCount_ <= 0 || boundViewport == nullptr) return;
  CViewport* previous = SetActiveView(boundViewport);
  RefreshAllViews(0);
  // An edited curve keeps the source's layer, material, id and other attributes.
  AddObject(curve, edited ? 0 : 1);
  RedrawAllViews();
  SetActiveView(previous);
}

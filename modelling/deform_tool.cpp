#include "modelling/deform_tool.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "kernel/boolean_object.h"
#include "kernel/composite_object.h"
#include "kernel/point_set_object.h"
#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene/view_axis.h"
#include "scene/viewport.h"
#include "services/layer_table.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kUndoneString = 10059;
constexpr int kRedoneString = 10060;
constexpr int kFirstStatusWord = 10061;
// Below this a scaled taper's base 1 + k reaches 0, where its power is no longer finite.
constexpr float kLowestScaledTaper = -0.999f;

bool IsFiniteMatrix(const Matrix4& m) {
  return std::all_of(std::begin(m.m), std::end(m.m), [](float v) { return std::isfinite(v); });
}

// The rotation of a whole point about axis c; its coordinate along c stays.
void RotatePoint(const float p[3], double angle, int c, float out[3]) {
  const int u = (c + 1) % 3;
  const int v = (c + 2) % 3;
  const double cs = std::cos(angle);
  const double sn = std::sin(angle);
  out[u] = static_cast<float>(p[u] * cs - p[v] * sn);
  out[v] = static_cast<float>(p[u] * sn + p[v] * cs);
  out[c] = p[c];
}

int CountsAsGathered(const CGeomObject* object) {
  const int category = object->GetCategory();
  return (category == 1 || category == 2) && IsShownOrSelected(*object) && IsLayerVisible(object->layer) != 0;
}

bool HasPickedPoint(const CGeomObject* object) {
  const auto* points = dynamic_cast<const CPointSetObject*>(object);
  return points != nullptr && std::any_of(points->marks.begin(), points->marks.end(), [](int m) { return m != 0; });
}

// The members of a group that the deformation reaches when the group itself is not selected.
template <class Visit>
void ForEachReachedMember(CBooleanObject* group, Visit visit) {
  const bool allMembers = group->Operation() != kBooleanSubtraction || group->subtractBody != 0;
  for (CGeomObject* member = group->members.head(); member != nullptr; member = member->next) {
    if (member->ObjectState < 2) visit(member);
    if (!allMembers) break;
  }
}

void DrawDeformedParts(CGeomObject* object, int mode) {
  if (object->ObjectState == kStateSelected) {
    object->Draw(mode);
    return;
  }
  if ((object->flags & kFlagNoDeform) != 0) return;
  if (auto* group = dynamic_cast<CBooleanObject*>(object)) {
    ForEachReachedMember(group, [mode](CGeomObject* member) { DrawDeformedParts(member, mode); });
    return;
  }
  if (HasPickedPoint(object)) object->Draw(mode);
}

int ActiveDisplayMode() {
  CViewport* active = GetActiveView();
  return active != nullptr ? active->displayMode : kDisplayNormalWire;
}

template <class T>
void StartDeformTool() {
  // Installed nowhere without an active viewport, so none is made.
  if (GetActiveView() == nullptr) return;
  new T();
}

}  // namespace

Matrix4 MakeAxisRotationMatrix(double angle, int c) {
  Matrix4 m = kIdentityMatrix;
  const int u = (c + 1) % 3;
  const int v = (c + 2) % 3;
  const auto cs = static_cast<float>(std::cos(angle));
  const auto sn = static_cast<float>(std::sin(angle));
  m.at(u, u) = cs;
  m.at(v, v) = cs;
  m.at(u, v) = sn;
  m.at(v, u) = -sn;
  return m;
}

void DeformPoint(DeformKind kind, const DeformAxes& axes, double k, const float p[3], float out[3]) {
  const int A = axes.a;
  const int B = axes.b;
  const int C = axes.c;
  const double a = p[A];
  const double t = p[B];
  const double c = p[C];
  switch (kind) {
    case DeformKind::kBend: {
      const double theta = k * t;
      const double r = 1.0 / k - a;
      const double half = std::sin(theta / 2);
      out[B] = static_cast<float>(r * std::sin(theta));
      out[A] = static_cast<float>(a + r * 2 * half * half);
      return;
    }
    case DeformKind::kBendTwoSides: {
      const double rho = std::hypot(t, c);
      const double phi = std::atan2(c, t);
      const double theta = k * rho;
      const double r = 1.0 / k - a;
      const double half = std::sin(theta / 2);
      out[B] = static_cast<float>(r * std::sin(theta) * std::cos(phi));
      out[C] = static_cast<float>(r * std::sin(theta) * std::sin(phi));
      out[A] = static_cast<float>(a + r * 2 * half * half);
      return;
    }
    case DeformKind::kTaper:
    case DeformKind::kTaperTwoSides: {
      const double f = 1 + k * t;
      out[A] = static_cast<float>(a * f);
      if (kind == DeformKind::kTaperTwoSides) out[C] = static_cast<float>(c * f);
      return;
    }
    case DeformKind::kScaledTaper:
    case DeformKind::kScaledTaperTwoSides: {
      // (1 + k)^t - 1 through expm1 and log1p, so a small k gives t without cancellation.
      const double power = t * std::log1p(k);
      const double s = std::exp(power);
      out[A] = static_cast<float>(a * s);
      out[B] = static_cast<float>(std::expm1(power) / k);
      if (kind == DeformKind::kScaledTaperTwoSides) out[C] = static_cast<float>(c * s);
      return;
    }
    case DeformKind::kSkew:
    case DeformKind::kSkewTwoSides:
      out[A] = static_cast<float>(a + k * t);
      if (kind == DeformKind::kSkewTwoSides) out[C] = static_cast<float>(c + k * t);
      return;
    case DeformKind::kTwist:
      RotatePoint(p, k * t, B, out);
      return;
    case DeformKind::kSkewTwist:
      out[A] = static_cast<float>(a + k * t * c);
      return;
    case DeformKind::kWhirl:
      RotatePoint(p, k * std::hypot(a, t), C, out);
      return;
  }
}

Matrix4 DeformFrame(DeformKind kind, const DeformAxes& axes, double k, const Matrix4& frame) {
  const float origin[3] = {frame.at(3, 0), frame.at(3, 1), frame.at(3, 2)};
  const double a0 = origin[axes.a];
  const double t0 = origin[axes.b];
  const double c0 = origin[axes.c];
  Matrix4 out = frame;
  switch (kind) {
    case DeformKind::kBend:
      out = MatMultiply(frame, MakeAxisRotationMatrix(-axes.sigma * k * t0, axes.c));
      break;
    case DeformKind::kBendTwoSides: {
      double phi0 = std::atan2(c0, t0);
      if (axes.b == (axes.c + 1) % 3) phi0 = -phi0;
      out = MatMultiply(MatMultiply(MatMultiply(frame, MakeAxisRotationMatrix(-phi0, axes.a)),
                                    MakeAxisRotationMatrix(-axes.sigma * k * std::hypot(t0, c0), axes.c)),
                        MakeAxisRotationMatrix(phi0, axes.a));
      break;
    }
    case DeformKind::kWhirl:
      // The origin row turns with the frame.
      return MatMultiply(frame, MakeAxisRotationMatrix(k * std::hypot(a0, t0), axes.c));
    default:
      break;
  }
  float mapped[3] = {origin[0], origin[1], origin[2]};
  DeformPoint(kind, axes, k, origin, mapped);
  for (int i = 0; i < 3; ++i) out.at(3, i) = mapped[i];
  return out;
}

double DeformAmount(DeformKind kind, double distance, double sensitivity) {
  const double s = sensitivity;
  switch (kind) {
    case DeformKind::kBend:
    case DeformKind::kBendTwoSides:
      return distance * (s > 10 ? 100.0 : s * s) * 0.0005;
    case DeformKind::kSkew:
    case DeformKind::kSkewTwoSides:
    case DeformKind::kTwist:
      return distance * (s > 64 ? s : s * s) * 0.005;
    default:
      return distance * (s > 64 ? s : s * s) * 0.0005;
  }
}

CDeformTool::CDeformTool(int command, int statusWord) : CTool(0), commandId(command), statusWord_(statusWord) {}

CDeformTool::~CDeformTool() {
  // A tool replaced in mid-drag must not leave later frames at drag quality.
  if (dragFlag != 0) DragRedrawFlag = 0;
}

void CDeformTool::ShowPrompt() {
  char text[256];
  std::snprintf(text, sizeof text, "%s...   %8.7g", GetLocalizedString(statusWord_).c_str(), static_cast<double>(amount));
  ShowToolPrompt(this, text);
}

void CDeformTool::MapPoint(float, float, float, float*) {}
void CDeformTool::MapFrame(Matrix4, Matrix4*) {}
double CDeformTool::AmountFromDrag(double, double) { return 1.0; }

void CDeformTool::SnapshotPoints() {
  dragFlag = 0;
  axisA = -1;
  amount = baseAmount = redoAmount = 0.0f;
  deformedPoints.reserve(256);
  deformedFrames.reserve(256);
  carriedPoints.reserve(256);
  carriedFrames.reserve(256);
  ShowPrompt();
  for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
    if (CountsAsGathered(object)) GatherObject(object, object->ObjectState, -1);
  }
}

void CDeformTool::StoreFrame(Matrix4* frame, int carrier) {
  if (carrier < 0) {
    deformedFrames.push_back({*frame, frame});
  } else {
    carriedFrames.push_back({*frame, frame, carrier});
  }
}

void CDeformTool::GatherObject(CGeomObject* object, int selected, int frameIndex) {
  int g = frameIndex;
  int ownFrame = -1;
  bool reached = false;
  if (selected != 0) {
    if (g < 0) ownFrame = static_cast<int>(deformedFrames.size());
    StoreFrame(&object->orientation, g);
    if (auto* composite = dynamic_cast<CCompositeObject*>(object)) StoreFrame(&composite->placement, g);
    reached = true;
  }
  const bool noDeform = (object->flags & kFlagNoDeform) != 0;
  if (auto* points = dynamic_cast<CPointSetObject*>(object)) {
    if (g < 0 && !noDeform) {
      for (std::size_t i = 0; i < points->points.size(); ++i) {
        if (selected == 0 && points->MarkAt(i) == 0) continue;
        deformedPoints.push_back({points->points[i], &points->points[i]});
        reached = true;
      }
    } else if (selected != 0) {
      // Carried by the group's frame, or else by its own frame just stored.
      const int carrier = g >= 0 ? g : ownFrame;
      for (Vector3& point : points->points) carriedPoints.push_back({point, &point, carrier});
    }
  } else if (auto* group = dynamic_cast<CBooleanObject*>(object)) {
    // A non-deformable group carries its members on its own frame; unselected, any carrier
    // index has that effect, as its members then contribute nothing.
    if (g < 0 && noDeform) g = ownFrame >= 0 ? ownFrame : 0;
    const std::size_t before = touched_.size();
    if (selected != 0) {
      for (CGeomObject* member = group->members.head(); member != nullptr; member = member->next) {
        GatherObject(member, selected, g);
      }
    } else {
      ForEachReachedMember(group, [this, g](CGeomObject* member) { GatherObject(member, 0, g); });
    }
    if (touched_.size() > before) reached = true;
  }
  if (reached) touched_.push_back(object);
}

void CDeformTool::ApplyDeformation() {
  nonFinite_ = false;
  if (amount == 0.0f) {
    for (const PointEntry& e : deformedPoints) *e.live = e.copy;
    for (const FrameEntry& e : deformedFrames) *e.live = e.copy;
    for (const CarriedPoint& e : carriedPoints) *e.live = e.copy;
    for (const CarriedFrame& e : carriedFrames) *e.live = e.copy;
  } else {
    for (const PointEntry& e : deformedPoints) {
      float out[3] = {e.copy.x, e.copy.y, e.copy.z};
      MapPoint(e.copy.x, e.copy.y, e.copy.z, out);
      *e.live = {out[0], out[1], out[2]};
      if (!std::isfinite(out[0]) || !std::isfinite(out[1]) || !std::isfinite(out[2])) nonFinite_ = true;
    }
    for (const FrameEntry& e : deformedFrames) {
      Matrix4 out = e.copy;
      MapFrame(e.copy, &out);
      *e.live = out;
      if (!IsFiniteMatrix(out)) nonFinite_ = true;
    }
    // The motion of each carrying frame, worked out once per frame.
    std::vector<Matrix4> motion(deformedFrames.size());
    std::vector<char> known(deformedFrames.size(), 0);
    const auto motionOf = [&](int frame) -> const Matrix4& {
      if (known[frame] == 0) {
        motion[frame] = MatMultiply(MatInverse(deformedFrames[frame].copy), *deformedFrames[frame].live);
        known[frame] = 1;
      }
      return motion[frame];
    };
    for (const CarriedPoint& e : carriedPoints) {
      const Vector3 moved = TransformPoint(e.copy, motionOf(e.frame));
      *e.live = moved;
      if (!IsFiniteVector(moved)) nonFinite_ = true;
    }
    for (const CarriedFrame& e : carriedFrames) {
      *e.live = MatMultiply(e.copy, motionOf(e.frame));
      if (!IsFiniteMatrix(*e.live)) nonFinite_ = true;
    }
  }
  for (CGeomObject* object : touched_) object->MarkChanged();
}

void CDeformTool::ApplyAmount(float candidate) {
  const float previous = amount;
  amount = std::max(candidate, lowestAmount);
  ApplyDeformation();
  if (!nonFinite_ && std::isfinite(amount)) return;
  amount = previous;
  ApplyDeformation();
}

void CDeformTool::Commit() {
  // Without a document to record into, the deformation simply stays as applied.
  if (amount == 0.0f || GetActiveView() == nullptr) return;
  const float kept = amount;
  amount = 0.0f;
  ApplyDeformation();
  for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
    if (CountsAsGathered(object)) RecordUndo(object, kUndoMarksChanged);
  }
  amount = kept;
  ApplyDeformation();
}

void CDeformTool::OnLButtonDown(int, int x, int y) {
  dragFlag = 1;
  currentDepthAxis = GetViewAxis(2);
  ApplyActiveViewProjection();
  if (axisA < 0) {
    axisC = currentDepthAxis;
    SnapDragPoint(&start, x, y, 1);
  } else {
    Coordinate(start, currentDepthAxis) = 0.0f;
    UnprojectToPlane(currentDepthAxis, x, y, &start);
  }
  delta = lastDelta = Vector3{};
  start = SnapToGrid(start, GetGridStep(1));
  baseAmount = amount;
  RefreshAllViews(1);
  DragRedrawFlag = 1;
}

void CDeformTool::OnMouseMove(int, int x, int y) {
  if (dragFlag == 0) return;
  ApplyActiveViewProjection();
  if (axisA < 0) {
    Vector3 point;
    axisLock = SnapDragPoint(&point, x, y, 0);
    delta = VecSub(point, start);
  } else {
    Vector3 point = start;
    Coordinate(point, currentDepthAxis) = 0.0f;
    UnprojectToPlane(currentDepthAxis, x, y, &point);
    delta = VecSub(point, start);
    Coordinate(delta, axisB) = 0.0f;
    Coordinate(delta, axisC) = 0.0f;
  }
  delta = SnapToGrid(delta, GetGridStep(1));
  if (VectorsEqual(delta, lastDelta)) return;
  if (axisA < 0) {
    // Only a locked axis chooses; ~axis answers while the drag may still switch.
    if (axisLock < 0 || Coordinate(delta, axisLock) == 0.0f) return;
    axisA = axisLock;
    const int v = (axisC + 1) % 3;
    if (axisA == v) {
      axisB = (axisC + 2) % 3;
      sigma = 1;
    } else {
      axisB = v;
      sigma = -1;
    }
    redoAmount = 0.0f;
  }
  const double sensitivity = 0.5 / GetGridStep(0);
  const int mode = ActiveDisplayMode();
  if (mode < kDisplayFastShading) RefreshAllViews(0);
  lastDelta = delta;
  ApplyAmount(static_cast<float>(baseAmount + AmountFromDrag(Coordinate(delta, axisA), sensitivity)));
  ShowPrompt();
  if (mode >= kDisplayFastShading) {
    RedrawAllViews();
  } else {
    RefreshAllViews(0);
  }
}

void CDeformTool::OnLButtonUp(int, int, int) {
  if (dragFlag == 0) return;
  dragFlag = 0;
  DragRedrawFlag = 0;
  if (axisA < 0) {
    RefreshAllViews(0);
    return;
  }
  ApplyDeformation();
  RedrawAllViews();
}

void CDeformTool::DrawFeedback(int paneButtonBits) {
  if (paneButtonBits == 0) return;
  const Vector3 end = VecAdd(start, lastDelta);
  for (const int kind : {kPolylineMarkers, kPolylineOpen}) {
    BeginPolyline(kind);
    AddPolylineVertex(start);
    AddPolylineVertex(end);
    EndPolyline();
  }
  const int displayMode = ActiveDisplayMode();
  if (displayMode >= kDisplayFastShading) return;
  const int drawMode = displayMode >= 1 && displayMode <= 99 ? displayMode : -10;
  for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
    if (IsShownOrSelected(*object)) DrawDeformedParts(object, drawMode);
  }
}

void CDeformTool::Undo() {
  if (amount == 0.0f) return;
  redoAmount = amount;
  amount = 0.0f;
  ShowToolPrompt(this, GetLocalizedString(kUndoneString));
  ApplyDeformation();
  RedrawAllViews();
}

void CDeformTool::Redo() {
  if (redoAmount == 0.0f) return;
  amount = redoAmount;
  redoAmount = 0.0f;
  ShowToolPrompt(this, GetLocalizedString(kRedoneString));
  ApplyDeformation();
  RedrawAllViews();
}

template <DeformKind Kind>
CDeformKindTool<Kind>::CDeformKindTool()
    : CDeformTool(kFirstDeformCommand + static_cast<int>(Kind), kFirstStatusWord + static_cast<int>(Kind)) {
  if (Kind == DeformKind::kScaledTaper || Kind == DeformKind::kScaledTaperTwoSides) lowestAmount = kLowestScaledTaper;
  SnapshotPoints();
}

template <DeformKind Kind>
CDeformKindTool<Kind>::~CDeformKindTool() {
  Commit();
}

template <DeformKind Kind>
void CDeformKindTool<Kind>::MapPoint(float x, float y, float z, float* out) {
  const float p[3] = {x, y, z};
  DeformPoint(Kind, Axes(), amount, p, out);
}

template <DeformKind Kind>
void CDeformKindTool<Kind>::MapFrame(Matrix4 frame, Matrix4* out) {
  *out = DeformFrame(Kind, Axes(), amount, frame);
}

template <DeformKind Kind>
double CDeformKindTool<Kind>::AmountFromDrag(double distance, double sensitivity) {
  return DeformAmount(Kind, distance, sensitivity);
}

template class CDeformKindTool<DeformKind::kBend>;
template class CDeformKindTool<DeformKind::kBendTwoSides>;
template class CDeformKindTool<DeformKind::kTaper>;
template class CDeformKindTool<DeformKind::kTaperTwoSides>;
template class CDeformKindTool<DeformKind::kScaledTaper>;
template class CDeformKindTool<DeformKind::kScaledTaperTwoSides>;
template class CDeformKindTool<DeformKind::kSkew>;
template class CDeformKindTool<DeformKind::kSkewTwoSides>;
template class CDeformKindTool<DeformKind::kTwist>;
template class CDeformKindTool<DeformKind::kSkewTwist>;
template class CDeformKindTool<DeformKind::kWhirl>;

void CreateBendTool() { StartDeformTool<CBendTool>(); }
void OnDeformBendTwoSides() { StartDeformTool<CBendTwoSidesTool>(); }
void OnDeformTaper() { StartDeformTool<CTaperTool>(); }
void OnDeformTaperTwoSides() { StartDeformTool<CTaperTwoSidesTool>(); }
void OnDeformScaledTaper() { StartDeformTool<CScaledTaperTool>(); }
void OnDeformScaledTaperTwoSides() { StartDeformTool<CScaledTaperTwoSidesTool>(); }
void OnDeformSkew() { StartDeformTool<CSkewTool>(); }
void OnDeformSkewTwoSides() { StartDeformTool<CSkewTwoSidesTool>(); }
void OnDeformTwist() { StartDeformTool<CTwistTool>(); }
void OnDeformSkewTwist() { StartDeformTool<CSkewTwistTool>(); }
void OnDeformWhirl() { StartDeformTool<CWhirlTool>(); }

#include "modelling/revolve_tool_dialog.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"

CRevolveToolDlg* OpenRevolveDialog = nullptr;

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;

// 360 / degree truncated, held within int; the dialog's range check refuses what is too large.
int CountForDegree(double degree) {
  const double count = std::trunc(360.0 / degree);
  return static_cast<int>(std::clamp(count, -1e9, 1e9));
}

// A point of the view plane through the origin at the angle (view terms, degrees) and radius.
Vector3 PlanePoint(double angle, double radius) {
  int sh = 1;
  int sv = 1;
  const int h = GetViewAxis(0, &sh);
  const int v = GetViewAxis(1, &sv);
  Vector3 point;
  Coordinate(point, h) = static_cast<float>(radius * std::cos(angle / kDegrees) * sh);
  Coordinate(point, v) = static_cast<float>(radius * std::sin(angle / kDegrees) * sv);
  return point;
}

}  // namespace

CRevolveToolDlg::CRevolveToolDlg(int count, float angle, int fullRevolution, int clockwiseSense, int command)
    : CRepeatToolDialog(command), number(count), degree(angle), full(fullRevolution), clockwise(clockwiseSense) {
  OpenRevolveDialog = this;
  SetFullRevolution(full);
  OpenWindow();
}

CRevolveToolDlg::~CRevolveToolDlg() {
  if (OpenRevolveDialog == this) OpenRevolveDialog = nullptr;
}

void CRevolveToolDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kNumberList, number);
  DDV_MinMaxInt(dx, number, kMinNumber, kMaxNumber);
  DDX_Text(dx, kDegreeList, degree);
}

void CRevolveToolDlg::OnNumberEdited() {
  if (full == 0) return;
  lastEdited = 1;
  ReadBackQuietly();
  if (number == 0) return;
  degree = 360.0f / static_cast<float>(number);
  texts[kDegreeList] = FormatFloatText(degree);
}

void CRevolveToolDlg::OnDegreeEdited() {
  if (full == 0) return;
  lastEdited = 2;
  ReadBackQuietly();
  if (std::fabs(degree) < 0.001f) return;
  number = CountForDegree(degree);
  texts[kNumberList] = std::to_string(number);
}

void CRevolveToolDlg::SetFullRevolution(int on) {
  full = on;
  ReadBackQuietly();
  if (full != 0) {
    if (lastEdited == 1) {
      number = std::max(number, 2);
      degree = 360.0f / static_cast<float>(number);
    } else {
      if (degree == 0.0f) degree = 180.0f;
      number = CountForDegree(degree);
    }
  }
  ShowValues();
}

double CRevolveToolDlg::PointAngle(int x, int y, double* radius) const {
  // The same signed components for the press and every move, so the angle does not jump as a
  // drag starts in a view whose axes run negative.
  Vector3 point;
  UnprojectToPlane(GetViewAxis(2), x, y, &point);
  int sh = 1;
  int sv = 1;
  const double h = Coordinate(point, GetViewAxis(0, &sh)) * sh;
  const double v = Coordinate(point, GetViewAxis(1, &sv)) * sv;
  if (radius != nullptr) *radius = std::hypot(h, v);
  return std::atan2(v, h) * kDegrees;
}

void CRevolveToolDlg::OnLButtonDown(int, int x, int y) {
  RefreshAllViews(-2);
  baseAngle_ = PointAngle(x, y, &radius_);
  lastAngle_ = 0.0;
  dragging_ = true;
  degree = 0.0f;
  ShowValues();
  RefreshAllViews(1);
}

void CRevolveToolDlg::OnMouseMove(int flags, int x, int y) {
  if (!dragging_ || (flags & kMouseLeftButton) == 0) return;
  double angle = PointAngle(x, y, nullptr) - baseAngle_;
  while (angle <= -180.0) angle += 360.0;
  while (angle > 180.0) angle -= 360.0;
  if (std::fabs(angle - lastAngle_) < 1.0) return;
  lastAngle_ = angle;
  RefreshAllViews(0);
  clockwise = angle < 0.0 ? 1 : 0;
  angle = std::fabs(angle);
  if (full != 0) {
    // In double and clamped: near 0 the count would leave int and the dialog's range.
    const double count = angle > 0.0 ? std::floor(360.0 / angle + 0.5) : kMaxNumber;
    number = static_cast<int>(std::clamp(count, static_cast<double>(kMinNumber), static_cast<double>(kMaxNumber)));
    angle = 360.0 / number;
  }
  degree = static_cast<float>(angle);
  ShowValues();
  RefreshAllViews(0);
}

void CRevolveToolDlg::OnLButtonUp(int, int, int) {
  dragging_ = false;
  RefreshAllViews(-2);
}

void CRevolveToolDlg::OnRButtonUp(int, int, int) { RefreshAllViews(-2); }

void CRevolveToolDlg::DrawFeedback(int) {
  if (!dragging_) return;
  const double step = clockwise != 0 ? -degree : degree;
  for (int i = 0; i <= number && i <= kMaxNumber; ++i) {
    BeginPolyline(kPolylineOpen);
    AddPolylineVertex({});
    AddPolylineVertex(PlanePoint(baseAngle_ + i * step, radius_));
    EndPolyline();
  }
}

bool RevolveDialogConfirmed(int commandId) {
  return OpenRevolveDialog != nullptr && RepeatDialogConfirmed != 0 && OpenRevolveDialog->commandId == commandId;
}

int RunRevolveToolDialog(int* count, float* angle, int* fullRevolution, int axis, int* clockwise, Matrix4* matrix,
                         int commandId, int mapToView) {
  CRevolveToolDlg* dialog = OpenRevolveDialog;
  if (!RevolveDialogConfirmed(commandId)) {
    RepeatDialogConfirmed = 0;
    new CRevolveToolDlg(*count, *angle, *fullRevolution, *clockwise, commandId);
    return 0;
  }
  *count = dialog->number;
  *angle = dialog->degree;
  *fullRevolution = dialog->full;
  *clockwise = dialog->clockwise;
  RepeatDialogConfirmed = 0;
  RetireRepeatDialog(dialog);
  int sign = 1;
  const int a = mapToView != 0 ? GetViewAxis(axis, &sign) : axis;
  if (*clockwise != 0) sign = -sign;
  const int b = (a + 1) % 3;
  const int c = (a + 2) % 3;
  const double phi = *angle * sign / kDegrees;
  *matrix = kIdentityMatrix;
  matrix->at(b, b) = matrix->at(c, c) = static_cast<float>(std::cos(phi));
  matrix->at(b, c) = static_cast<float>(std::sin(phi));
  matrix->at(c, b) = static_cast<float>(-std::sin(phi));
  return 1;
}

#include "modelling/extend_tool_dialog.h"

#include <cmath>
#include <numbers>

#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"

CExtendToolDlg* OpenExtendDialog = nullptr;

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;
constexpr float kMaxTangent = 99999.0f;

// Value j of a point in view terms: the coordinate along the view's axis j with its sign.
float ViewComponent(Vector3 point, int j) {
  int sign = 1;
  const int axis = GetViewAxis(j, &sign);
  return Coordinate(point, axis) * static_cast<float>(sign);
}

}  // namespace

int ExtendPolarFlag = 0;

Vector3 VectorToPolar(Vector3 v) {
  return {std::sqrt(v.x * v.x + v.y * v.y), static_cast<float>(std::atan2(v.y, v.x) * kDegrees),
          static_cast<float>(std::atan2(v.z, v.x) * kDegrees)};
}

Vector3 PolarToVector(Vector3 polar) {
  const double angle = polar.y / kDegrees;
  Vector3 v{static_cast<float>(polar.x * std::cos(angle)), static_cast<float>(polar.x * std::sin(angle)), 0};
  float tangent = static_cast<float>(std::tan(polar.z / kDegrees));
  if (std::fabs(tangent) >= kMaxTangent) tangent = tangent > 0 ? kMaxTangent : -kMaxTangent;
  v.z = v.x * tangent;
  return v;
}

CExtendToolDlg::CExtendToolDlg(int count, Vector3 vector, int polarForm, int command)
    : CRepeatToolDialog(command), number(count), values{vector.x, vector.y, vector.z}, polar(polarForm) {
  OpenExtendDialog = this;
  OpenWindow();
}

CExtendToolDlg::~CExtendToolDlg() {
  if (OpenExtendDialog == this) OpenExtendDialog = nullptr;
}

void CExtendToolDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kNumberEdit, number);
  DDV_MinMaxInt(dx, number, kMinNumber, kMaxNumber);
  for (int j = 0; j < 3; ++j) DDX_Text(dx, kValueEdits[j], values[j]);
}

void CExtendToolDlg::SetPolar(int on) {
  if ((on != 0) == (polar != 0)) return;
  ReadBackQuietly();
  const Vector3 now{values[0], values[1], values[2]};
  const Vector3 converted = on != 0 ? VectorToPolar(now) : PolarToVector(now);
  values[0] = converted.x;
  values[1] = converted.y;
  values[2] = converted.z;
  polar = on;
  ShowValues();
}

void CExtendToolDlg::PlaceStart(int x, int y) {
  Vector3 point;
  UnprojectToPlane(GetViewAxis(2), x, y, &point);
  start_ = current_ = SnapToGrid(point, GetGridStep(1));
}

void CExtendToolDlg::OnLButtonDown(int flags, int x, int y) {
  // In polar form a left press only places the start point, as a right press does.
  if (polar != 0) {
    OnRButtonDown(flags, x, y);
    return;
  }
  RefreshAllViews(-2);
  Vector3 point;
  SnapDragPoint(&point, x, y, 1);
  start_ = current_ = SnapToGrid(point, GetGridStep(1));
  dragging_ = 1;
  hasVector_ = true;
  RefreshAllViews(1);
}

void CExtendToolDlg::OnRButtonDown(int, int x, int y) {
  RefreshAllViews(-2);
  PlaceStart(x, y);
  dragging_ = 2;
  hasVector_ = true;
  RefreshAllViews(1);
}

void CExtendToolDlg::OnMouseMove(int flags, int x, int y) {
  if (dragging_ == 0 || (flags & (kMouseLeftButton | kMouseRightButton)) == 0) return;
  RefreshAllViews(0);
  if (dragging_ == 1) {
    SnapDragPoint(&current_, x, y, 0);
  } else {
    current_ = {};
    UnprojectToPlane(GetViewAxis(2), x, y, &current_);
  }
  current_ = VecAdd(start_, SnapToGrid(VecSub(current_, start_), GetGridStep(1)));
  const Vector3 vector = VecSub(current_, start_);
  const float h = ViewComponent(vector, 0);
  const float v = ViewComponent(vector, 1);
  if (polar != 0) {
    values[0] = std::sqrt(h * h + v * v);
    values[1] = static_cast<float>(std::atan2(v, h) * kDegrees);
  } else {
    values[0] = h;
    values[1] = v;
  }
  values[2] = 0.0f;
  ShowValues();
  RefreshAllViews(0);
}

void CExtendToolDlg::OnLButtonUp(int, int, int) { dragging_ = 0; }

void CExtendToolDlg::DrawFeedback(int) {
  if (!hasVector_) return;
  BeginPolyline(kPolylineMarkers);
  AddPolylineVertex(start_);
  AddPolylineVertex(current_);
  EndPolyline();
  BeginPolyline(kPolylineOpen);
  AddPolylineVertex(start_);
  AddPolylineVertex(current_);
  EndPolyline();
}

int RunExtendToolDialog(int* count, Vector3* vector, Matrix4* matrix, int commandId, int mapToView) {
  CExtendToolDlg* dialog = OpenExtendDialog;
  if (dialog == nullptr || RepeatDialogConfirmed == 0 || dialog->commandId != commandId) {
    RepeatDialogConfirmed = 0;
    // A vector the polar form cannot give back (no horizontal part under a depth) opens in
    // cartesian form, so the command gets its own vector again.
    int polarForm = ExtendPolarFlag;
    Vector3 shown = *vector;
    if (polarForm != 0) {
      shown = VectorToPolar(*vector);
      if (!VectorsEqual(PolarToVector(shown), *vector)) {
        polarForm = 0;
        shown = *vector;
      }
    }
    new CExtendToolDlg(*count, shown, polarForm, commandId);
    return 0;
  }
  Vector3 read{dialog->values[0], dialog->values[1], dialog->values[2]};
  ExtendPolarFlag = dialog->polar;
  if (dialog->polar != 0) read = PolarToVector(read);
  *vector = read;
  *count = dialog->number;
  RepeatDialogConfirmed = 0;
  RetireRepeatDialog(dialog);
  if (*count <= 1) return 0;
  *matrix = kIdentityMatrix;
  for (int j = 0; j < 3; ++j) {
    int sign = 1;
    const int axis = mapToView != 0 ? GetViewAxis(j, &sign) : j;
    matrix->m[static_cast<std::size_t>(12 + axis)] = Coordinate(read, j) * static_cast<float>(sign);
  }
  return 1;
}

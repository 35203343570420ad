#include "modelling/curve_dialogs.h"

#include "modelling/curve_edits.h"
#include "modelling/curve_primitives.h"
#include "modelling/kept_dialog.h"
#include "scene/view_axis.h"

KeptCurveDialogs CurveDialogs;
float CircleDiameter = 1.0f;

void CMakeLineDlg::DoDataExchange(DataExchange& dx) { DDX_Text(dx, kAngleEdit, angle); }

void CMakeCircleDlg::SetSizeKind(int kind) {
  ReadBackQuietly();
  const float diameter = Diameter();
  sizeKind = kind;
  size = sizeKind == 1 ? diameter / 2.0f : diameter;
  WriteTexts();
}

void CMakeCircleDlg::DoDataExchange(DataExchange& dx) { DDX_Text(dx, kSizeEdit, size); }

void CHelixDlg::DoDataExchange(DataExchange& dx) {
  for (int i = 0; i < 5; ++i) DDX_Text(dx, kEdits[i], values[i]);
}

void CDivideCurvesDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kNumberEdit, number);
  DDV_MinMaxInt(dx, number, 1, kMaxNumber);
}

void COffsetDlg::DoDataExchange(DataExchange& dx) { DDX_Text(dx, kDistanceEdit, distance); }

void RunMakeLineDialog() {
  const CMakeLineDlg& line = CurveDialogs.line;
  if (RunKeptDialog(CurveDialogs.line)) MakeLineCurve(line.angle, GetViewAxis(0), GetViewAxis(1), GetViewAxis(2));
}

void RunMakeCircleDialog() {
  CMakeCircleDlg& circle = CurveDialogs.circle;
  circle.size = circle.sizeKind == 1 ? CircleDiameter / 2.0f : CircleDiameter;
  if (!RunKeptDialog(circle)) return;
  CircleDiameter = circle.Diameter();
  MakeCircleCurve(CircleDiameter / 2.0f, circle.count, circle.first, GetViewAxis(0), GetViewAxis(1), GetViewAxis(2));
}

void RunPolygonDialog() {
  const CPolygonDlg& polygon = CurveDialogs.polygon;
  if (RunKeptDialog(CurveDialogs.polygon)) {
    MakePolygonCurve(polygon.sides, polygon.first, GetViewAxis(0), GetViewAxis(1), GetViewAxis(2));
  }
}

void RunHelixDialog() {
  const CHelixDlg& helix = CurveDialogs.helix;
  if (!RunKeptDialog(CurveDialogs.helix)) return;
  // Radius 1, radius 2, length, turns, CVs per turn.
  MakeHelixCurve(helix.values[3], helix.values[0], helix.values[1], helix.values[2], helix.clockwise, helix.values[4]);
}

void RunDivideCurvesDialog() {
  if (RunKeptDialog(CurveDialogs.divide)) DoCurveDivide(CurveDialogs.divide.number);
}

void RunCurveOffsetDialog() {
  if (RunKeptDialog(CurveDialogs.offset)) DoOffsetCurve(CurveDialogs.offset.distance, CurveDialogs.offset.side);
}

void ResetCurveDialogValues() {
  CurveDialogs = KeptCurveDialogs();
  CircleDiameter = 1.0f;
}

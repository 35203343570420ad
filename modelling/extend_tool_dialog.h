#pragma once

#include "kernel/matrix4.h"
#include "modelling/repeat_tool_dialog.h"

// Extend: a number of copies and a step vector in view terms (horizontal, vertical, in/out), or
// in polar form its length, angle and elevation in degrees. A drag in the view sets the vector.
class CExtendToolDlg : public CRepeatToolDialog {
 public:
  static constexpr char kName[] = "Extend";
  static constexpr int kNumberEdit = 1301;
  static constexpr int kValueEdits[3] = {1302, 1303, 1304};
  // The copy number a typed OK accepts; the up-down arrows stay from 2.
  static constexpr int kMinNumber = 1;
  static constexpr int kMaxNumber = 10000;

  CExtendToolDlg(int count, Vector3 vector, int polarForm, int command);
  ~CExtendToolDlg() override;

  const char* DialogName() const override { return kName; }

  // The polar box: the fields are read, converted to the other form and shown again.
  void SetPolar(int on);

  void OnLButtonDown(int flags, int x, int y) override;
  void OnRButtonDown(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;

  int number = 2;
  float values[3] = {};
  int polar = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override;

 private:
  // The start point on the view plane through the origin, rounded to the grid.
  void PlaceStart(int x, int y);

  Vector3 start_;
  Vector3 current_;
  // 0 none, 1 a left drag (snapped to one axis), 2 a right drag (free).
  int dragging_ = 0;
  bool hasVector_ = false;
};

// The open Extend dialog; null when none.
extern CExtendToolDlg* OpenExtendDialog;
// Program-wide: the form the user chose last, for every command that asks for a vector.
extern int ExtendPolarFlag;

// (length, angle, elevation) in degrees: length in the horizontal-vertical plane, the angle
// from the horizontal axis, the elevation of depth over the horizontal component.
Vector3 VectorToPolar(Vector3 v);
// The reverse: depth comes from the horizontal component and the elevation's tangent (held
// within +-99999), so it is lost where the horizontal component is 0.
Vector3 PolarToVector(Vector3 polar);

// First phase (no confirmed Extend dialog for this command): opens the dialog and returns 0.
// Second phase: count and vector take the dialog's values, the dialog is retired, and for a
// count above 1 matrix becomes the translation by the vector (mapToView set: component j along
// the active view's axis j with its sign; else along x, y, z) and 1 returns.
int RunExtendToolDialog(int* count, Vector3* vector, Matrix4* matrix, int commandId, int mapToView);

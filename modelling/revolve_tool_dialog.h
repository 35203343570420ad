#pragma once

#include "kernel/matrix4.h"
#include "modelling/repeat_tool_dialog.h"

// Revolve: a number of copies and a step angle, with the full-revolution coupling between them
// and a clockwise sense. A drag in the view sets the angle.
class CRevolveToolDlg : public CRepeatToolDialog {
 public:
  static constexpr char kName[] = "Revolve";
  static constexpr int kNumberList = 1201;
  static constexpr int kDegreeList = 1202;
  static constexpr int kMinNumber = 2;
  static constexpr int kMaxNumber = 10000;

  CRevolveToolDlg(int count, float angle, int fullRevolution, int clockwiseSense, int command);
  ~CRevolveToolDlg() override;

  const char* DialogName() const override { return kName; }

  // The coupling rules, run on the user's own edits only: with full revolution an edited number
  // sets the degree, an edited degree sets the number, and the box makes them agree.
  void OnNumberEdited();
  void OnDegreeEdited();
  void SetFullRevolution(int on);

  void OnLButtonDown(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnRButtonUp(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;

  int number = 4;
  float degree = 90.0f;
  int full = 1;
  int clockwise = 0;
  // 1 the number, 2 the degree.
  int lastEdited = 2;

 protected:
  void DoDataExchange(DataExchange& dx) override;

 private:
  // The angle of the point under (x, y) on the view plane through the origin, in view terms.
  double PointAngle(int x, int y, double* radius) const;

  double baseAngle_ = 0.0;
  double radius_ = 0.0;
  double lastAngle_ = 0.0;
  bool dragging_ = false;
};

// The open Revolve dialog; null when none.
extern CRevolveToolDlg* OpenRevolveDialog;

// True when the open Revolve dialog was confirmed for the command: its call is a second phase.
bool RevolveDialogConfirmed(int commandId);

// As RunExtendToolDialog, for a rotation: the second phase returns the dialog's count, angle,
// full-revolution and clockwise values and the rotation by angle about the axis (mapToView set:
// the active view's axis of that index with its sign; else the world axis), clockwise turning
// the other way; always 1.
int RunRevolveToolDialog(int* count, float* angle, int* fullRevolution, int axis, int* clockwise, Matrix4* matrix,
                         int commandId, int mapToView);

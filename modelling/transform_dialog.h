#pragma once

#include "scene/transform_apply.h"
#include "scene/transform_matrix.h"
#include "services/data_dialog.h"

// The Transform dialog: a move, size, scale and rotation given in view terms, for the object,
// copy, curve and surface forms of the command.
class CTransformDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Transform";
  enum Mode { kModeObjects = 0, kModeCopy = 1, kModeCurve = 2, kModeSurface = 3 };
  static constexpr int kCopyNumberEdit = 1301;
  static constexpr int kMoveEdits[3] = {1302, 1303, 1304};
  static constexpr int kSizeEdit = 1305;
  static constexpr int kScaleEdits[3] = {1308, 1309, 1310};
  static constexpr int kRotateEdits[3] = {1311, 1312, 1313};
  static constexpr int kMinCopies = 2;
  static constexpr int kMaxCopies = 10000;
  const char* DialogName() const override { return kName; }

  // Move and Rotate add to the others; Size and Scale exclude each other. A click on an operation
  // already on leaves it alone; a double-click does too, whatever came before.
  void ClickOperation(int operation);
  void DoubleClickOperation(int operation);

  bool ShowsCopyNumber() const { return mode != kModeObjects; }
  bool ShowsOrigin() const { return mode == kModeObjects || mode == kModeCopy; }
  // The operation bit whose edits include control id; 0 for no such edit.
  static int OperationOfEdit(int id);
  bool IsEditEnabled(int id) const { return (operations & OperationOfEdit(id)) != 0; }

  // kReferenceWorldOrigin or kReferenceObjectAxis: the tools' own reference is a separate setting.
  int origin = kReferenceWorldOrigin;
  // The two size values the dialog never shows stay 1.
  TransformRecord record = {{1, 0, 0}, 1, {1, 1}, {1, 1, 1}, {90, 0, 0}};
  int mode = kModeObjects;
  int copyNumber = 2;
  int operations = kTransformMove;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

// One dialog per command, kept for the run. Curve Transform and its Adjust form share theirs:
// an edited transform curve is rebuilt under the transform it was drawn with.
struct KeptTransformDialogs {
  CTransformDlg objects;
  CTransformDlg copy;
  CTransformDlg curve;
  CTransformDlg surface;
};
extern KeptTransformDialogs TransformDialogs;
void ResetTransformDialogs();

// The commands: each runs its dialog and at OK resets to the pick tool and hands the values on.
void OnTransformObjects();
void OnCopyTransform();
void OnCurveTransform();
void OnAdjustCurveTransform();
void OnSurfaceTransform();

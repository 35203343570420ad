#include "modelling/transform_dialog.h"

#include "modelling/curve_drawing_commands.h"
#include "modelling/curve_tool.h"
#include "modelling/kept_dialog.h"
#include "modelling/surface_commands.h"

KeptTransformDialogs TransformDialogs;

void CTransformDlg::ClickOperation(int operation) {
  if ((operations & operation) != 0) {
    operations = operation;
  } else if (operation == kTransformUniformScale) {
    operations = (operations & ~kTransformAxisScale) | operation;
  } else if (operation == kTransformAxisScale) {
    operations = (operations & ~kTransformUniformScale) | operation;
  } else {
    operations |= operation;
  }
}

void CTransformDlg::DoubleClickOperation(int operation) { operations = operation; }

int CTransformDlg::OperationOfEdit(int id) {
  for (int i = 0; i < 3; ++i) {
    if (id == kMoveEdits[i]) return kTransformMove;
    if (id == kScaleEdits[i]) return kTransformAxisScale;
    if (id == kRotateEdits[i]) return kTransformRotate;
  }
  return id == kSizeEdit ? kTransformUniformScale : 0;
}

void CTransformDlg::DoDataExchange(DataExchange& dx) {
  for (int i = 0; i < 3; ++i) DDX_Text(dx, kMoveEdits[i], record.move[i]);
  DDX_Text(dx, kSizeEdit, record.uniformScale);
  for (int i = 0; i < 3; ++i) DDX_Text(dx, kScaleEdits[i], record.scale[i]);
  for (int i = 0; i < 3; ++i) DDX_Text(dx, kRotateEdits[i], record.rotate[i]);
  DDX_Text(dx, kCopyNumberEdit, copyNumber);
  DDV_MinMaxInt(dx, copyNumber, kMinCopies, kMaxCopies);
}

void ResetTransformDialogs() { TransformDialogs = KeptTransformDialogs(); }

namespace {

bool RunTransformDialog(CTransformDlg& kept, CTransformDlg::Mode mode) {
  kept.mode = mode;
  return RunKeptDialog(kept);
}

void StartCurveTransform(int edit) {
  const CTransformDlg& dialog = TransformDialogs.curve;
  if (!RunTransformDialog(TransformDialogs.curve, CTransformDlg::kModeCurve)) return;
  const Matrix4 world = BuildTransformMatrix(dialog.operations, dialog.record);
  StartCurveTransformTool(dialog.copyNumber, ToViewTerms(world, ActiveViewAxes()), edit);
}

}  // namespace

void OnTransformObjects() {
  const CTransformDlg& dialog = TransformDialogs.objects;
  if (RunTransformDialog(TransformDialogs.objects, CTransformDlg::kModeObjects)) {
    ApplyTransformToSelection(dialog.operations, dialog.origin, dialog.record, 0);
  }
}

void OnCopyTransform() {
  const CTransformDlg& dialog = TransformDialogs.copy;
  if (RunTransformDialog(TransformDialogs.copy, CTransformDlg::kModeCopy)) {
    ApplyTransformToSelection(dialog.operations, dialog.origin, dialog.record, dialog.copyNumber);
  }
}

void OnCurveTransform() { StartCurveTransform(0); }
void OnAdjustCurveTransform() { StartCurveTransform(1); }

void OnSurfaceTransform() {
  const CTransformDlg& dialog = TransformDialogs.surface;
  if (RunTransformDialog(TransformDialogs.surface, CTransformDlg::kModeSurface)) {
    DoTransformSurface(dialog.copyNumber, BuildTransformMatrix(dialog.operations, dialog.record));
  }
}

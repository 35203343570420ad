#include "modelling/block_dialog.h"

namespace {

CBlockFromCurvesDlg keptDialog;

}  // namespace

void CBlockFromCurvesDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kRadiusEdit, values.radius);
  DDX_Text(dx, kThicknessEdit, values.thickness);
}

int RunBlockFromCurvesDialogModal() {
  CBlockFromCurvesDlg dialog = keptDialog;
  const int answer = RunModalDialog(dialog);
  if (answer == kAnswerOk) keptDialog = dialog;
  return answer;
}

BlockFromCurvesParams GetBlockFromCurvesParams() { return keptDialog.values; }

void ResetBlockFromCurvesDialog() { keptDialog = CBlockFromCurvesDlg(); }

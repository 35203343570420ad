#include "modelling/block_dialog.h"

#include "modelling/block_commands.h"
#include "scene/tool_framework.h"
#include "scene/view_axis.h"

namespace {

CBlockFromCurvesDlg keptDialog;

}  // namespace

void CBlockFromCurvesDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kRadiusEdit, radiusText);
  DDV_Number(dx, radiusText, values.radius);
  DDX_Text(dx, kThicknessEdit, thicknessText);
  DDV_Number(dx, thicknessText, values.thickness);
}

int RunBlockFromCurvesDialogModal() {
  CBlockFromCurvesDlg dialog = keptDialog;
  const int answer = RunModalDialog(dialog);
  if (answer == kAnswerOk) keptDialog = dialog;
  return answer;
}

BlockFromCurvesParams GetBlockFromCurvesParams() { return keptDialog.values; }

void ResetBlockFromCurvesDialog() { keptDialog = CBlockFromCurvesDlg(); }

void OnMakeBlockFromCurves() {
  if (RunBlockFromCurvesDialogModal() != kAnswerOk) return;
  ResetToPickTool();
  const BlockFromCurvesParams& values = keptDialog.values;
  CreateBlockFromCurves(values.frontEndType, values.backEndType, values.radius, values.thickness, GetViewAxis(0),
                        GetViewAxis(1), GetViewAxis(2));
}

#include "modelling/extend_solid_dialog.h"

#include "modelling/facet_commands.h"
#include "scene/input_tools.h"
#include "scene/tool_framework.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kExtendToSolidCommand = 9023;

// The vector drag writes into the kept direction, so it outlives the command.
CExtendToSolidDlg keptDialog;

}  // namespace

void CExtendToSolidDlg::DoDataExchange(DataExchange& dx) {
  for (int k = 0; k < 3; ++k) DDX_Text(dx, kEdits[k], direction[k]);
}

void OnExtendToSolid() {
  CExtendToSolidDlg dialog = keptDialog;
  const int answer = RunModalDialog(dialog);
  if (answer == kAnswerOk) {
    keptDialog = dialog;
    ResetToPickTool();
    DoExtendToSolid(keptDialog.direction[0], keptDialog.direction[1], keptDialog.direction[2]);
  } else if (answer == CExtendToSolidDlg::kAnswerSetup) {
    keptDialog = dialog;
    StartVectorDrag(keptDialog.direction, kExtendToSolidCommand, 1);
    SetToolCursor();
  }
}

void ResetExtendToSolidDialog() { keptDialog = CExtendToSolidDlg(); }

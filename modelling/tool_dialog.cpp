#include "modelling/tool_dialog.h"

#include "scene/tool_framework.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

CToolDialog::~CToolDialog() { CloseWindow(); }

void CToolDialog::PressOK() {
  ToolCallGuard guard(this);
  OnOKButton();
}

void CToolDialog::PressCancel() {
  ToolCallGuard guard(this);
  OnCancelButton();
}

void CToolDialog::OnCancelButton() {
  TakeSecondaryTool();
  CloseWindow();
}

void ShowPromptString(int stringId) { ShowStatusText(GetLocalizedString(stringId)); }

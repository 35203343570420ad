#include "modelling/tool_dialog.h"

#include "app/core/string_table.h"
#include "app/core/ui_utilities.h"
#include "scene/tool_framework.h"

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

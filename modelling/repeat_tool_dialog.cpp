#include "modelling/repeat_tool_dialog.h"

#include <memory>

#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/tool_lifetime.h"
#include "services/ui_utilities.h"

int RepeatDialogConfirmed = 0;

CRepeatToolDialog::CRepeatToolDialog(int command) : CTool(2), commandId(command) {}

CRepeatToolDialog::~CRepeatToolDialog() {
  onValuesShown = nullptr;
  window_.Close();
}

void CRepeatToolDialog::OpenWindow() {
  WriteTexts();
  window_.Open();
}

void CRepeatToolDialog::ShowValues() {
  WriteTexts();
  if (onValuesShown) onValuesShown();
}

void CRepeatToolDialog::PressOK() {
  ToolCallGuard guard(this);
  // Read and check first: a refused field must leave nothing posted or confirmed.
  if (!Validate()) return;
  SendCommand(commandId);
  RepeatDialogConfirmed = 1;
  onValuesShown = nullptr;
  window_.Close();
}

void CRepeatToolDialog::PressCancel() {
  ToolCallGuard guard(this);
  TakeSecondaryTool();
  onValuesShown = nullptr;
  window_.Close();
  RedrawAllViews();
  // An ended dialog left in the overlay slot would keep taking the view's clicks.
  RetireRepeatDialog(this);
}

void RetireRepeatDialog(CRepeatToolDialog* dialog) {
  if (dialog != nullptr && TheScene.overlayTool.get() == dialog) RetireTool(std::move(TheScene.overlayTool));
}

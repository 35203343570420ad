#include "app/hotkeys_command.h"

#include "app/core/hotkey_table.h"
#include "app/core/hotkeys_dialog.h"
#include "scene/tool_framework.h"

void OnHotkeys() {
  CHotkeysDlg dialog;
  if (RunModalDialog(dialog) == kAnswerOk && !HotkeyTable.empty()) ResetToPickTool();
}

#include "app/hotkeys_command.h"

#include "scene/tool_framework.h"
#include "services/hotkey_table.h"
#include "services/hotkeys_dialog.h"

void OnHotkeys() {
  CHotkeysDlg dialog;
  if (RunModalDialog(dialog) == kAnswerOk && !HotkeyTable.empty()) ResetToPickTool();
}

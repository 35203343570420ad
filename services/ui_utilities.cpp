#include "services/ui_utilities.h"

#include "platform/command_queue.h"
#include "platform/common_dialogs.h"
#include "platform/input_monitor.h"
#include "platform/platform_services.h"
#include "services/app_settings.h"
#include "services/string_table.h"

std::string StatusTextCache;

namespace {
int waitDepth = 0;
int (*toolCursorIdSource)() = nullptr;
}  // namespace

void ShowStatusText(std::string_view text) {
  if (!Platform().ui->HasMainWindow()) return;
  StatusTextCache = text;
  Platform().ui->ShowStatusText(StatusTextCache);
}

void ShowFileStatus(int messageKey, const std::string& path) {
  ShowStatusText(GetLocalizedString(messageKey) + " " + path);
}

int ShowMessageBox(const std::string& text, const std::string& caption, int buttons) {
  return RunMessageBox(text, caption, buttons);
}

void ShowFileMessage(int messageKey, const std::string& path) {
  ShowMessageBox(GetLocalizedString(messageKey) + "\n" + path);
}

int SendCommand(int id) {
  ProgramCommandQueue().Post(id);
  return 1;
}

void BeginWait() {
  ++waitDepth;
  Platform().ui->BeginWaitCursor();
}

void EndWait() {
  if (waitDepth == 0) return;
  --waitDepth;
  Platform().ui->EndWaitCursor();
}

void SetToolCursor() { Platform().ui->SetToolCursor(toolCursorIdSource != nullptr ? toolCursorIdSource() : 0); }

void SetToolCursorIdSource(int (*currentToolCursorId)()) { toolCursorIdSource = currentToolCursorId; }

int CheckUserAbort() {
  Platform().input->Poll();
  return UserAbortRequested(Platform().input->Held()) ? 1 : 0;
}

std::uint32_t PickColor(std::uint32_t initial) {
  return RunColorDialog(initial, &CustomColors).value_or(kNoColor);
}

void ResetUiUtilities() {
  StatusTextCache.clear();
  waitDepth = 0;
  toolCursorIdSource = nullptr;
}

#include "platform/ui_services.h"

#include "platform/command_queue.h"
#include "platform/platform_services.h"

int RunMessageBox(const std::string& text, const std::string& caption, int buttons) {
  CommandQueueHold modal;
  return Platform().ui->ShowMessage(text, caption, buttons);
}

int RunModalDialog(DialogModel& dialog) {
  CommandQueueHold modal;
  dialog.OnInitDialog();
  const int result = Platform().ui->RunDialog(dialog);
  if (result == kAnswerOk) dialog.OnOK();
  return result;
}

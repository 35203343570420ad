#pragma once

#include "platform/ui_services.h"
#include "scene/tool_framework.h"

// Runs the dialog on a copy of the kept one: only OK keeps its values, and then the pick tool
// comes first, as for every worker.
template <class Dialog>
bool RunKeptDialog(Dialog& kept) {
  Dialog dialog = kept;
  if (RunModalDialog(dialog) != kAnswerOk) return false;
  kept = dialog;
  ResetToPickTool();
  return true;
}

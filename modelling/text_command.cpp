#include "modelling/text_command.h"

#include "modelling/block_dialog.h"
#include "modelling/text_outlines.h"
#include "platform/common_dialogs.h"
#include "scene/tool_framework.h"
#include "scene/view_axis.h"

FontChoice TextFont;

namespace {

CTextDlg keptDialog;

}  // namespace

bool ChooseTextFont() {
  if (const std::optional<FontChoice> chosen = RunFontDialog(TextFont)) TextFont = *chosen;
  return !TextFont.family.empty();
}

void OnText() {
  CTextDlg dialog = keptDialog;
  if (RunModalDialog(dialog) != kAnswerOk) return;
  keptDialog = dialog;
  ResetToPickTool();
  if (TextFont.family.empty() && !ChooseTextFont()) return;
  if (dialog.createBlock != 0 && RunBlockFromCurvesDialogModal() != kAnswerOk) return;
  MakeTextOutlines(dialog.text, dialog.createBlock, GetViewAxis(0), GetViewAxis(1), GetViewAxis(2));
}

void ResetTextCommand() {
  keptDialog = CTextDlg();
  TextFont = FontChoice();
}

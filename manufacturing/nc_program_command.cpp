#include "manufacturing/nc_program_command.h"

#include "manufacturing/nc_program.h"
#include "manufacturing/nc_show_path.h"
#include "modelling/region_tool.h"
#include "scene/tool_framework.h"
#include "services/file_names.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kDetermineBoxPrompt = 10130;

}  // namespace

void OnNcProgram() {
  CNcMachiningDlg& dialog = NcMachiningDialog();
  NcBox& box = NcBoxCorners();
  dialog.settings.corner1 = box.corner1;
  dialog.settings.corner2 = box.corner2;
  const int answer = RunModalDialog(dialog);
  if (answer == CNcMachiningDlg::kSetupAnswer) {
    // The tool writes the dragged box into the remembered one and runs this command again.
    StartRegionTool(&box.corner1, &box.corner2, kNcProgramCommand, 0);
    ShowStatusText(GetLocalizedString(kDetermineBoxPrompt));
    return;
  }
  if (answer != kAnswerOk) return;
  CNcShowPathDlg& showPath = NcShowPathDialog();
  showPath.fileName = dialog.fileName;
  showPath.scale = dialog.settings.scale;
  box.corner1 = dialog.settings.corner1;
  box.corner2 = dialog.settings.corner2;
  ResetToPickTool();
  WriteNcProgram(dialog.settings, AddExtensionIfMissing(dialog.fileName, "nc"));
}

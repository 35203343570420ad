#include "manufacturing/one_side_stl_commands.h"

#include <cstdio>
#include <optional>
#include <string>

#include "manufacturing/one_side_stl.h"
#include "manufacturing/slc_to_mesh.h"
#include "manufacturing/slicer.h"
#include "platform/program_folder.h"
#include "services/file_names.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

struct OneSideCommand {
  COneSideStlDlg dialog;
  int filterIndex = 1;
};

OneSideCommand threeAxis;
OneSideCommand rotary;
int supportFilterIndex = 1;

constexpr char kSupportTitle[] = "STL Output for building support";

void RunOneSide(OneSideCommand& command, int mode) {
  COneSideStlDlg dialog = command.dialog;
  dialog.mode = mode;
  if (RunModalDialog(dialog) != kAnswerOk) return;
  command.dialog = dialog;
  const std::optional<std::string> chosen =
      FileDialogPrompt(0, &command.filterIndex, kStlFilter, GetLocalizedString(dialog.CaptionString()), {});
  if (!chosen) return;
  const std::string path = AddExtensionIfMissing(*chosen, "stl");
  const int format = command.filterIndex == 2 ? 1 : 0;
  WaitCursor wait;
  if (mode == 0) {
    WriteNcSlices3Axis(path, dialog.first, dialog.second, format);
  } else {
    WriteNcSlicesRotary(path, dialog.second, dialog.first, format);
  }
}

}  // namespace

void COneSideStlDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kFirstEdit, first);
  DDV_MinMaxFloat(dx, first, 0.001f, 1000.0f);
  DDX_Text(dx, kSecondEdit, second);
  DDV_MinMaxFloat(dx, second, 0.01f, 100.0f);
}

void OnStlFor3AxisNc() { RunOneSide(threeAxis, 0); }

void OnStlForRotaryNc() { RunOneSide(rotary, 1); }

void OnStlForSupport() {
  const std::optional<std::string> chosen = FileDialogPrompt(0, &supportFilterIndex, kStlFilter, kSupportTitle, {});
  if (!chosen) return;
  WaitCursor wait;
  const std::string& folder = GetExchangeFolder();
  if (folder.empty()) return;
  const std::string slices = folder + "temp.slc";
  const int sliced = WriteSlicesFile(slices, 0, 0.1f, 0.05f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0, 0, 1);
  const std::string path = AddExtensionIfMissing(CutShortExtension(*chosen), "stl");
  if (sliced >= 0) ConvertSlcToMesh(slices, path, supportFilterIndex == 2 ? 1 : 0, 0, 1);
  std::remove(slices.c_str());
}

void ResetOneSideStlCommands() {
  threeAxis = OneSideCommand();
  rotary = OneSideCommand();
  supportFilterIndex = 1;
}

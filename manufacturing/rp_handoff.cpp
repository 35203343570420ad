#include "manufacturing/rp_handoff.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "exchange/exchange_commands.h"
#include "exchange/output_file.h"
#include "manufacturing/cut_slices.h"
#include "manufacturing/slicer.h"
#include "platform/program_folder.h"
#include "services/launching.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

// "The file %s was written. No hand-off script %s was found in %s or in %s, ..."
constexpr int kNoHandOffScriptMessage = 10142;
// The Cut into Slices hand-off modes: the machines of those indices.
constexpr int kPerfactoryMode = 3;
constexpr int kObjetStudioMode = 4;

// The user's own folder first, since an installed program folder is not the user's to write.
// Only a regular file counts.
std::string FindHandOffScript(const std::string& name) {
  for (const std::string& folder : {GetUserDataDir(), GetProgramDir()}) {
    std::error_code error;
    if (!folder.empty() && std::filesystem::is_regular_file(folder + name, error)) return folder + name;
  }
  return {};
}

// The script gets the file as its one argument and adds whatever its program wants. It starts
// detached and without a shell between, so no path is ever parsed as a command; a failed start
// is not reported, as the user may have meant the script to do nothing.
void HandOff(const std::string& file, const std::string& script) {
  const std::string found = FindHandOffScript(script);
  if (found.empty()) {
    ShowMessageBox(FillStringArguments(GetLocalizedString(kNoHandOffScriptMessage),
                                 {file, script, GetUserDataDir(), GetProgramDir()}));
    return;
  }
  RunHiddenProcess({"/bin/sh", found, file});
}

// Cut into Slices in the machine's hand-off mode; then the slice file it wrote, if any, goes on.
void SendSlices(int mode, const std::string& script) {
  const int kept = HandOffMode;
  LastSliceFile.clear();
  HandOffMode = mode;
  CutIntoSlices();
  HandOffMode = kept;
  if (!LastSliceFile.empty()) HandOff(LastSliceFile, script);
}

}  // namespace

void ExportTempSla() {
  const std::string path = ExchangeFilePath(kSurfaceExchangeFile);
  if (!ExportSlicesForRp(path, kExchangeSliceStep, kExchangeSliceStep)) ShowFileMessage(kCannotWriteMessage, path);
}

// A failed slicing hands nothing on: the file there may be from an earlier run.
void SendToDeskProto() {
  const std::string stl = ExchangeFilePath("lumidrex.stl");
  const bool written = ExportSlicesForRp(stl, kExchangeSliceStep, kExchangeSliceStep);
  if (written) {
    HandOff(stl, "lumidrextodeskproto.sh");
  } else {
    ShowFileMessage(kCannotWriteMessage, stl);
  }
}

void SendToObjetStudio() { SendSlices(kObjetStudioMode, "lumidrextoobjetstudio.sh"); }

void SendToPerfactory() { SendSlices(kPerfactoryMode, "lumidrextoperfactory.sh"); }

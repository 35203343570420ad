#include "app/help_file.h"

#include <filesystem>
#include <system_error>

#include "app/core/launching.h"
#include "app/core/string_table.h"
#include "app/core/ui_utilities.h"
#include "platform/program_folder.h"

void OpenHelpFile() {
  const std::string path = GetProgramDir() + "Lumidrex.chm";
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) {
    LaunchViaBatch(path);
  } else {
    ShowMessageBox(GetLocalizedString(kCannotOpenMessage));
  }
}

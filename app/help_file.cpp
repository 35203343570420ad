#include "app/help_file.h"

#include <filesystem>
#include <system_error>

#include "platform/program_folder.h"
#include "services/launching.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

void OpenHelpFile() {
  const std::string path = GetProgramDir() + "Lumidrex.chm";
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) {
    LaunchViaBatch(path);
  } else {
    ShowFileMessage(kCannotOpenMessage, path);
  }
}

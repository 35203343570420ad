#include "platform/common_dialogs.h"

#include "platform/command_queue.h"
#include "platform/platform_services.h"

std::optional<FileDialogAnswer> RunFileDialog(const FileDialogRequest& request) {
  CommandQueueHold modal;
  return Platform().dialogs->AskFileName(request);
}

std::optional<std::string> RunFolderDialog(const std::string& startFolder) {
  CommandQueueHold modal;
  return Platform().dialogs->AskFolder(startFolder);
}

std::optional<std::uint32_t> RunColorDialog(std::uint32_t initial, CustomColorSet* customColors) {
  CommandQueueHold modal;
  return Platform().dialogs->AskColor(initial, customColors);
}

std::optional<FontChoice> RunFontDialog(const FontChoice& initial) {
  CommandQueueHold modal;
  return Platform().dialogs->AskFont(initial);
}

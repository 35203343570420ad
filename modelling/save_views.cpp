#include "modelling/save_views.h"

#include "services/string_table.h"
#include "services/ui_utilities.h"
#include "services/view_pictures.h"

namespace {

constexpr int kNotEnoughMemoryString = 10014;

}  // namespace

void DoSaveViews() {
  std::string path;
  const int result = SaveViewPicture(&path);
  if (result == -1) ShowFileMessage(kCannotWriteMessage, path);
  if (result == -2) ShowMessageBox(GetLocalizedString(kNotEnoughMemoryString));
}

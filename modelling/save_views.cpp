#include "modelling/save_views.h"

#include "services/string_table.h"
#include "services/ui_utilities.h"
#include "services/view_pictures.h"

namespace {

constexpr int kNotEnoughMemoryString = 10014;
constexpr int kCannotWriteString = 10015;

}  // namespace

void DoSaveViews() {
  const int result = SaveViewPicture();
  if (result == -1) ShowMessageBox(GetLocalizedString(kCannotWriteString));
  if (result == -2) ShowMessageBox(GetLocalizedString(kNotEnoughMemoryString));
}

#include "app/core/layers_dialog.h"

#include "app/core/file_names.h"
#include "app/core/layer_file.h"
#include "app/core/string_table.h"
#include "app/core/ui_utilities.h"

namespace {

constexpr const char* kLayerFilter = "Lumidrex Layer Files (*.lyr)|*.lyr|All Files (*.*)|*.*|";

// Load and save remember their filters separately, for the whole run.
int loadFilterIndex = 0;
int saveFilterIndex = 0;

}  // namespace

void CLayersDlg::OnInitDialog() { working = LayerTable; }

void CLayersDlg::OnOK() { LayerTable = working; }

void CLayersDlg::OnSaveLayerFile() {
  const auto path = FileDialogPrompt(0, &saveFilterIndex, kLayerFilter, {}, {});
  if (!path) return;
  if (!WriteLayerFile(*path, working)) ShowMessageBox(GetLocalizedString(kCannotWriteMessage));
}

void CLayersDlg::OnLoadLayerFile() {
  const auto path = FileDialogPrompt(1, &loadFilterIndex, kLayerFilter, {}, {});
  if (!path) return;
  switch (ReadLayerFile(*path, &working)) {
    case LayerFileResult::kCannotOpen:
      ShowMessageBox(GetLocalizedString(kCannotOpenMessage));
      return;
    case LayerFileResult::kBadFormat:
      ShowMessageBox(GetLocalizedString(kInvalidFileFormatMessage));
      return;
    case LayerFileResult::kRead:
      if (onWorkingCopyChanged) onWorkingCopyChanged();
      return;
  }
}

void ResetLayersDialog() {
  loadFilterIndex = 0;
  saveFilterIndex = 0;
}

#include "services/layers_dialog.h"

#include "services/file_names.h"
#include "services/layer_file.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

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
  if (!WriteLayerFile(*path, working)) ShowFileMessage(kCannotWriteMessage, *path);
}

void CLayersDlg::OnLoadLayerFile() {
  const auto path = FileDialogPrompt(1, &loadFilterIndex, kLayerFilter, {}, {});
  if (!path) return;
  switch (ReadLayerFile(*path, &working)) {
    case LayerFileResult::kCannotOpen:
      ShowFileMessage(kCannotOpenMessage, *path);
      return;
    case LayerFileResult::kBadFormat:
      ShowFileMessage(kInvalidFileFormatMessage, *path);
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

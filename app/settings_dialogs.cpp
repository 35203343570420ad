#include "app/settings_dialogs.h"

#include <memory>

#include "modelling/grid_spacing.h"
#include "scene/scene_views.h"
#include "scene/view_commands.h"
#include "services/app_settings.h"
#include "services/file_names.h"

namespace {

std::unique_ptr<CGridSettingDlg>& GridSettingDialog() {
  static std::unique_ptr<CGridSettingDlg> dialog;
  return dialog;
}

std::unique_ptr<CDirectoriesDlg>& DirectoriesDialog() {
  static std::unique_ptr<CDirectoriesDlg> dialog;
  return dialog;
}

}  // namespace

void CGridSettingDlg::OnInitDialog() {
  mode = acceptedMode_;
  spacing = acceptedSpacing_;
  CDataDialog::OnInitDialog();
}

void CGridSettingDlg::OnOK() {
  acceptedMode_ = mode;
  acceptedSpacing_ = spacing;
}

void CGridSettingDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kSpacingEdit, spacing);
  DDV_MinMaxFloat(dx, spacing, 0.01f, 100.0f);
}

void CDirectoriesDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kDatabaseEdit, databaseFolder);
  DDX_Text(dx, kMaterialEdit, materialFolder);
}

void CDirectoriesDlg::OnBrowse(int edit) {
  if (const std::optional<std::string> folder = BrowseForFolder(texts[edit])) texts[edit] = *folder;
}

void CZoomCalibrationDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kFactorEdit, factor);
  DDV_MinMaxFloat(dx, factor, 0.001f, 100.0f);
}

void CZoomCalibrationDlg::OnFactorFromCurrentView() { texts[kFactorEdit] = FormatFloatText(ScaleOfActiveView()); }

void OnGridSettings() {
  auto& dialog = GridSettingDialog();
  if (!dialog) dialog = std::make_unique<CGridSettingDlg>();
  if (RunModalDialog(*dialog) != kAnswerOk) return;
  SetGridSpacing(dialog->mode == 0 ? 1 : 0, dialog->spacing);
}

void OnDirectories() {
  auto& dialog = DirectoriesDialog();
  if (!dialog) dialog = std::make_unique<CDirectoriesDlg>();
  dialog->databaseFolder = DataBaseDir;
  dialog->materialFolder = MaterialDir;
  if (RunModalDialog(*dialog) != kAnswerOk) return;
  DataBaseDir = dialog->databaseFolder;
  MaterialDir = dialog->materialFolder;
}

void RunZoomCalibrationDialog() {
  CZoomCalibrationDlg dialog;
  dialog.factor = OneToOneZoom;
  if (RunModalDialog(dialog) == kAnswerOk) OneToOneZoom = dialog.factor;
}

void ResetSettingsDialogs() {
  GridSettingDialog().reset();
  DirectoriesDialog().reset();
}

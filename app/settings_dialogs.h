#pragma once

#include <string>

#include "services/data_dialog.h"

// Grid Setting: the grid on with a spacing, or off. One instance serves the run, so it shows its
// last accepted values rather than the current grid.
class CGridSettingDlg : public CDataDialog {
 public:
  static constexpr const char* kName = "GridSetting";
  static constexpr int kSpacingEdit = 1302;
  const char* DialogName() const override { return kName; }
  // Opens on the values of the last OK: a cancelled or refused run leaves nothing behind.
  void OnInitDialog() override;
  void OnOK() override;

  int mode = 0;  // 0 grid spacing, 1 no grid
  float spacing = 10.0f;

 protected:
  void DoDataExchange(DataExchange& dx) override;

 private:
  int acceptedMode_ = 0;
  float acceptedSpacing_ = 10.0f;
};

// Directories: the sample-design and material folders, typed or chosen in the folder browser.
class CDirectoriesDlg : public CDataDialog {
 public:
  static constexpr const char* kName = "Directories";
  static constexpr int kDatabaseEdit = 1301;
  static constexpr int kMaterialEdit = 1302;
  const char* DialogName() const override { return kName; }

  // The browser for the edit; a chosen folder becomes its text.
  void OnBrowse(int edit);

  std::string databaseFolder;
  std::string materialFolder;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

// Zooming (1:1) Calibration: the scale at which Zoom 1:1 shows a design at its real size.
class CZoomCalibrationDlg : public CDataDialog {
 public:
  static constexpr const char* kName = "ZoomCalibration";
  static constexpr int kFactorEdit = 1301;
  const char* DialogName() const override { return kName; }

  // The active view's zoom scale into the edit.
  void OnFactorFromCurrentView();

  float factor = 0.2f;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

void OnGridSettings();
void OnDirectories();
void RunZoomCalibrationDialog();

// Forgets the dialogs kept for the run.
void ResetSettingsDialogs();

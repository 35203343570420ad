#pragma once

#include <functional>
#include <string>

#include "services/data_dialog.h"

// The NC Show Path dialog: which program to show and the object scale it was written with. One
// instance serves the run; the NC program command hands it the name and scale it wrote.
class CNcShowPathDlg : public CDataDialog {
 public:
  static constexpr const char* kName = "NC Show Path";
  static constexpr int kCaptionString = 33400;
  static constexpr int kFileLabelString = 33401;
  static constexpr int kScaleLabelString = 33402;
  static constexpr int kBrowseString = 3;
  static constexpr int kFileEdit = 1000;
  static constexpr int kScaleEdit = 1002;
  // A scale of 0 would divide every coordinate by 0.
  static constexpr float kMinScale = 0.0001f;
  static constexpr float kMaxScale = 10000.0f;
  static constexpr const char* kFilter = "NC Files (*.nc)|*.nc|All Files (*.*)|*.*|";

  const char* DialogName() const override { return kName; }
  // "Browse": an open-file dialog puts the chosen name into the name field.
  void OnBrowse();
  // "<": the unit dialog sets the scale.
  void OnUnits();

  std::string fileName = "vorn";
  float scale = 1.0f;
  // Tells the view that texts changed under it.
  std::function<void()> onChanged;

 protected:
  void DoDataExchange(DataExchange& dx) override;

 private:
  int filterIndex_ = 1;
};

CNcShowPathDlg& NcShowPathDialog();
void ResetNcShowPathDialog();

// Misc > Show NC program.
void OnShowNcProgram();
// Adds the program's path to the scene, selected, and redraws every view.
void ShowNcProgram(const std::string& fileName, float scale);

#pragma once

#include "services/data_dialog.h"

// The resolutions of a one-side STL: mode 0 (3-axis) asks X and Y, mode 1 (rotary) the angle in
// degrees and Y. Each command keeps its own dialog for the run.
class COneSideStlDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "One side STL output";
  static constexpr int kFirstEdit = 1000;
  static constexpr int kSecondEdit = 1001;
  static constexpr int kSecondLabelString = 33205;
  const char* DialogName() const override { return kName; }
  int CaptionString() const { return mode == 0 ? 33201 : 33202; }
  int FirstLabelString() const { return mode == 0 ? 33203 : 33204; }
  int mode = 0;
  float first = 0.1f;
  float second = 0.1f;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

inline constexpr char kStlFilter[] = "ASCII STL Files (*.stl)|*.stl|Binary STL Files (*.stl)|*.stl|";

void OnStlFor3AxisNc();
void OnStlForRotaryNc();
// Slices the visible design into the per-user exchange folder and turns the slices into an STL
// for building support.
void OnStlForSupport();

void ResetOneSideStlCommands();

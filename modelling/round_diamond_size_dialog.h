#pragma once

#include "services/data_dialog.h"

// The diameter of a round jewel, in mm or in carats. One instance serves the whole run, so the
// number and unit given last are offered again.
class CRoundDiamondSizeDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Round Diamond Size";
  static constexpr int kCaptionString = 34000;
  static constexpr int kNumberEdit = 1000;
  static constexpr float kMinNumber = 0.01f;
  static constexpr float kMaxNumber = 1000.0f;
  static constexpr int kMillimetres = 0;
  static constexpr int kCarats = 1;
  // Fixed unit names, not texts of the string table.
  static constexpr const char* kUnitNames[2] = {"mm", "carat"};

  const char* DialogName() const override { return kName; }
  // The diameter in mm that the number and unit stand for.
  float Diameter() const;

  float number = 1.0f;
  int unit = kMillimetres;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

extern CRoundDiamondSizeDlg RoundDiamondSizeDialog;

// Asks for the diameter; 0 when cancelled, and the number and unit accepted last stay.
float AskRoundDiamondSize();
// Start-up values of the dialog kept for the run.
void ResetRoundDiamondSize();

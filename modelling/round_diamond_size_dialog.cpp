#include "modelling/round_diamond_size_dialog.h"

#include <cmath>

CRoundDiamondSizeDlg RoundDiamondSizeDialog;

float CRoundDiamondSizeDlg::Diameter() const {
  if (unit != kCarats) return number;
  // The exponent is the single-precision third: with the exact third 91.64 carats would give
  // 29.30 mm instead of 29.31.
  const double third = static_cast<double>(1.0f / 3.0f);
  return static_cast<float>(std::floor(std::pow(static_cast<double>(number), third) * 650.0 + 0.5) * 0.01);
}

void CRoundDiamondSizeDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kNumberEdit, number);
  DDV_MinMaxFloat(dx, number, kMinNumber, kMaxNumber);
}

float AskRoundDiamondSize() {
  CRoundDiamondSizeDlg& dialog = RoundDiamondSizeDialog;
  const float number = dialog.number;
  const int unit = dialog.unit;
  if (RunModalDialog(dialog) == kAnswerOk) return dialog.Diameter();
  // A refused number read before Cancel must not be offered next time.
  dialog.number = number;
  dialog.unit = unit;
  return 0.0f;
}

void ResetRoundDiamondSize() {
  RoundDiamondSizeDialog.number = 1.0f;
  RoundDiamondSizeDialog.unit = CRoundDiamondSizeDlg::kMillimetres;
  RoundDiamondSizeDialog.texts.clear();
}

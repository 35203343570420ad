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
  if (RunModalDialog(RoundDiamondSizeDialog) != kAnswerOk) return 0.0f;
  return RoundDiamondSizeDialog.Diameter();
}

void ResetRoundDiamondSize() {
  RoundDiamondSizeDialog.number = 1.0f;
  RoundDiamondSizeDialog.unit = CRoundDiamondSizeDlg::kMillimetres;
  RoundDiamondSizeDialog.texts.clear();
}

#include "manufacturing/unit_conversion_dialog.h"

CUnitConversionDlg UnitConversionDialog;

bool AskUnitConversion(float* scale) {
  switch (RunModalDialog(UnitConversionDialog)) {
    case CUnitConversionDlg::kOne:
      *scale = 1.0f;
      return true;
    case CUnitConversionDlg::kCentimetresToMillimetres:
      *scale = 10.0f;
      return true;
    case CUnitConversionDlg::kMillimetresToCentimetres:
      *scale = 0.1f;
      return true;
    case CUnitConversionDlg::kInchesToMillimetres:
      *scale = 25.4f;
      return true;
    case CUnitConversionDlg::kMillimetresToInches:
      *scale = static_cast<float>(1.0 / 25.4);
      return true;
    case CUnitConversionDlg::kInchesToCentimetres:
      *scale = 2.54f;
      return true;
    case CUnitConversionDlg::kCentimetresToInches:
      *scale = static_cast<float>(1.0 / 2.54);
      return true;
    default:
      return false;
  }
}

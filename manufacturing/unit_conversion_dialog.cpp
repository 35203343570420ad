#include "manufacturing/unit_conversion_dialog.h"

#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kCentimetresPerInch = 2.54;
// Six significant digits of text keep a scale within this of its value.
constexpr double kTextPrecision = 1e-5;

bool NearScale(float scale, double wanted) { return std::fabs(scale - wanted) <= kTextPrecision * wanted; }

}  // namespace

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
      *scale = static_cast<float>(1.0 / kMillimetresPerInch);
      return true;
    case CUnitConversionDlg::kInchesToCentimetres:
      *scale = 2.54f;
      return true;
    case CUnitConversionDlg::kCentimetresToInches:
      *scale = static_cast<float>(1.0 / kCentimetresPerInch);
      return true;
    default:
      return false;
  }
}

bool ScaleGivesInches(float scale) {
  return NearScale(scale, 1.0 / kMillimetresPerInch) || NearScale(scale, 1.0 / kCentimetresPerInch);
}

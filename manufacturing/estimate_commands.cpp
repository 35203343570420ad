#include "manufacturing/estimate_commands.h"

#include <cmath>
#include <cstdlib>
#include <locale.h>

#include "exchange/number_format.h"
#include "manufacturing/volume_estimate.h"
#include "scene/tool_framework.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

CVolumeMassDlg keptDialog;

}  // namespace

std::string SpecificGravityItem(const SpecificGravity& entry) {
  return FixedText(entry.value, 6, 3) + "  [" + GetLocalizedString(entry.labelKey) + "]";
}

double LeadingNumber(const std::string& text) {
  static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
  const double value = strtod_l(text.c_str(), nullptr, cLocale);
  return std::isfinite(value) ? value : 0.0;
}

double SpecificGravityOf(const std::string& text) {
  for (const SpecificGravity& entry : SpecificGravityTable) {
    if (text == SpecificGravityItem(entry)) return entry.value;
  }
  return LeadingNumber(text);
}

std::string FormatVolumeMessage(float volume) {
  return GetLocalizedString(10132) + " = " + GeneralText(volume) + " cubic mm";
}

std::string FormatWeightMessage(float volume, const std::string& gravityText) {
  const double grams = SpecificGravityOf(gravityText) * volume * 0.001;
  const bool kilograms = grams >= 1000.0;
  return GetLocalizedString(10133) + " = " + GeneralText(kilograms ? grams * 0.001 : grams) +
         (kilograms ? " kilograms" : " grams");
}

std::string FormatCentreMessage(Vector3 centre) {
  return GetLocalizedString(10136) + "\n\n    X = " + FixedText(static_cast<double>(centre.x), 8, 2) +
         "\n    Y = " + FixedText(static_cast<double>(centre.y), 8, 2) +
         "\n    Z = " + FixedText(static_cast<double>(centre.z), 8, 2);
}

void CVolumeMassDlg::OnInitDialog() {
  gravityText = Items().front();
  CDataDialog::OnInitDialog();
}

std::array<std::string, SpecificGravityTable.size()> CVolumeMassDlg::Items() {
  std::array<std::string, SpecificGravityTable.size()> items;
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = SpecificGravityItem(SpecificGravityTable[i]);
  return items;
}

void CVolumeMassDlg::DoDataExchange(DataExchange& dx) { DDX_Text(dx, kGravityEdit, gravityText); }

void OnVolume() {
  ResetToPickTool();
  float volume = 0.0f;
  {
    WaitCursor wait;
    volume = ComputeVolume(kEstimateResolution, 0);
  }
  if (volume > 0.0f) ShowMessageBox(FormatVolumeMessage(volume), kEstimateCaption);
}

void OnWeight() {
  CVolumeMassDlg dialog = keptDialog;
  if (RunModalDialog(dialog) != kAnswerOk) return;
  keptDialog = dialog;
  ResetToPickTool();
  float volume = 0.0f;
  {
    WaitCursor wait;
    volume = ComputeVolume(keptDialog.resolution, 1);
  }
  if (volume > 0.0f) ShowMessageBox(FormatWeightMessage(volume, keptDialog.gravityText), kEstimateCaption);
}

void OnCenterOfGravity() {
  ShowMessageBox(FormatCentreMessage(ComputeCentreOfGravity(kEstimateResolution)), kEstimateCaption);
}

void ResetEstimateCommands() { keptDialog = CVolumeMassDlg(); }

#pragma once

#include <array>
#include <string>

#include "kernel/vector3.h"
#include "services/data_dialog.h"

// The volume, weight and centre-of-gravity estimates of the visible design, shown in message
// boxes titled "Lumidrex".

struct SpecificGravity {
  double value;
  int labelKey;
};
// The value used differs from the label's number for 22K, 18K and 14K gold.
inline constexpr std::array<SpecificGravity, 7> SpecificGravityTable = {{
    {19.3, 32910},
    {18.1800698, 32911},
    {16.47650237, 32912},
    {14.51900223, 32913},
    {12.8, 32914},
    {10.5, 32915},
    {21.4, 32916},
}};

inline constexpr char kEstimateCaption[] = "Lumidrex";
inline constexpr float kEstimateResolution = 0.05f;

// "%6.3f  [label]".
std::string SpecificGravityItem(const SpecificGravity& entry);
// The number the text starts with, read as the C library reads it in the C locale; 0 when it
// starts with none or reads as no finite number.
double LeadingNumber(const std::string& text);
// An alloy's item gives the value used, more precise than the three decimals it shows; any other
// text its leading number.
double SpecificGravityOf(const std::string& text);
std::string FormatVolumeMessage(float volume);
// The weight of volume mm3 at the specific gravity the text starts with.
std::string FormatWeightMessage(float volume, const std::string& gravityText);
std::string FormatCentreMessage(Vector3 centre);

class CVolumeMassDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Estimate Weight";
  static constexpr int kCaptionString = 32900;
  static constexpr int kLabelString = 32901;
  static constexpr int kGravityEdit = 1000;
  const char* DialogName() const override { return kName; }
  // Each opening shows the first alloy, whatever the text kept from the last OK.
  void OnInitDialog() override;
  // The drop list's items, in table order.
  static std::array<std::string, SpecificGravityTable.size()> Items();
  std::string gravityText = "19.3";
  float resolution = kEstimateResolution;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

void OnVolume();
void OnWeight();
void OnCenterOfGravity();

void ResetEstimateCommands();

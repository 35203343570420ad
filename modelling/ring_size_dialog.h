#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "platform/ui_services.h"

struct RingSize {
  const char* text;
  float innerDiameter;
};

// United Kingdom, United States, Europe: each size's inner diameter in mm.
inline constexpr int kRingSizeTableCount = 3;
std::span<const RingSize> RingSizeTable(int table);

// The ring size chooser: a table and its sizes. The table and the row chosen at the last OK are
// kept for the run.
class CRingSizeDlg : public DialogModel {
 public:
  static constexpr char kName[] = "Ring Size";
  static constexpr int kCaptionString = 33900;
  static constexpr std::array<int, kRingSizeTableCount> kTableStrings = {33901, 33902, 33903};
  static constexpr int kColumnWidth = 64;
  const char* DialogName() const override { return kName; }
  // Fills the list with the kept table and selects the kept row.
  void OnInitDialog() override;
  void OnOK() override;
  // A radio button: the list holds that table's sizes, none selected.
  void ChooseTable(int newTable);
  // After a table switch nothing is selected, and OK then does nothing: the view stays open.
  bool CanAccept() const;

  int table = 0;
  int index = 0;
  std::vector<std::string> items;
  int selected = -1;
};

// Ring Size: at OK the chosen size's inner diameter goes into Make a Circle, which runs.
void OnRingSize();
void ResetRingSizeDialog();

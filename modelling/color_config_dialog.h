#pragma once

#include <array>
#include <cstdint>

#include "platform/ui_services.h"

// The Color Configuration dialog: the background, axis, grid and picked-object colours
// (COLORREF), stored only at OK.
class CColorConfigDlg : public DialogModel {
 public:
  static constexpr char kName[] = "Color Configuration";
  enum Swatch { kBackground = 0, kAxis = 1, kGrid = 2, kPicked = 3 };
  const char* DialogName() const override { return kName; }
  // The current settings.
  void OnInitDialog() override;
  void OnOK() override;
  // The colour dialog on a swatch: 1 with the chosen colour kept, 0 when cancelled.
  int PickSwatchColor(int swatch);
  // The colours a fresh profile starts with.
  void Reset();
  std::array<std::uint32_t, 4> colors{};
};

// File > Configuration > Colors: a dialog built anew each time; OK redraws every view once.
void RunColorConfigDialog();

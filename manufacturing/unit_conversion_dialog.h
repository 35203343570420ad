#pragma once

#include "platform/ui_services.h"

// The choice of units behind the "<" buttons of the NC dialogs. It has no edits: each button ends
// the dialog with its own code, which the view returns as the dialog's result.
class CUnitConversionDlg : public DialogModel {
 public:
  static constexpr char kName[] = "Unit Conversion";
  static constexpr int kOne = 1;  // the OK button
  static constexpr int kCentimetresToMillimetres = 11;
  static constexpr int kMillimetresToCentimetres = 12;
  static constexpr int kInchesToMillimetres = 13;
  static constexpr int kMillimetresToInches = 14;
  static constexpr int kInchesToCentimetres = 15;
  static constexpr int kCentimetresToInches = 16;
  // Fixed texts of the buttons 11 to 16; "1" is the OK button's. Cancel is string 2.
  static constexpr const char* kButtonTexts[6] = {"cm -> mm",   "mm -> cm",   "inch -> mm",
                                                  "mm -> inch", "inch -> cm", "cm -> inch"};

  const char* DialogName() const override { return kName; }
};

extern CUnitConversionDlg UnitConversionDialog;

// Runs the dialog and sets the scale from the button pressed; Cancel (or any other code) keeps it.
// True when the scale was set.
bool AskUnitConversion(float* scale);

// Whether a program written at this object scale is in inches: the scale of "mm -> inch" or of
// "cm -> inch", also after the dialog's six-digit text of it was read back.
bool ScaleGivesInches(float scale);

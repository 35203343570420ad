#pragma once

#include <string>

#include "platform/font_choice.h"
#include "platform/ui_services.h"

// The Text dialog: a line of text and whether it becomes blocks.
class CTextDlg : public DialogModel {
 public:
  static constexpr char kName[] = "Text";
  static constexpr int kMaxTextUnits = 256;  // UTF-16 units, as the edit box holds them
  const char* DialogName() const override { return kName; }
  std::string text;
  int createBlock = 1;
};

// The font the text is drawn in, kept for the run; an empty family is none yet.
extern FontChoice TextFont;

// Asks for the font starting from the last one; true when a font is chosen afterwards.
bool ChooseTextFont();

// Misc > Text: the Text dialog, then (after a fresh pick tool) the font on first use, the block
// dialog in block mode, and the outlines along the active view's axes.
void OnText();

// The dialog's values and the font back to their start-up values.
void ResetTextCommand();

#pragma once

#include <string>

// A font as the font dialog gives it: an empty family is no font.
struct FontChoice {
  std::string family;
  int emHeight = 0;  // pixels
  bool bold = false;
  bool italic = false;

  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// The em height in pixels of a chosen size: a pixel size as it is, else points at 96 dpi (the
// logical dpi of our platforms), rounded; clamped into 1 ... 1000.
int EmHeightFromFontSize(double points, int pixels);

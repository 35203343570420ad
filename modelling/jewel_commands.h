#pragma once

// The code MakeJewel takes for the chooser's list index: the gem library index, but the taper's
// own code for the last entry.
inline constexpr int kTaperJewelCode = 7;
int JewelCodeOfListIndex(int listIndex);

// Misc > Jewel: the cut chooser, then MakeJewel of the chosen cut. Cancel changes nothing.
void OnJewel();
// Resets to the pick tool and adds a jewel of the code at the origin, selected: a gem of that
// library index under the cut's proportions (the round cut asks its diameter), or for the taper
// a jewel-flagged copy of the library shape. An unknown code or a missing prototype adds nothing.
void MakeJewel(int code);

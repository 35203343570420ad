#pragma once

// The grid snap multiplier: 0.1 fine, 1 coarse.
extern float SnapFactor;

// Command 3002 "Fine Snap": switches between fine and coarse snapping and says which is on.
void ToggleSnapStep();
// 1 while snapping is fine (the command's check mark).
int IsFineSnap();

void ResetSnapStep();

#pragma once

// Sets the program-wide grid spacing (0 when on is 0) and redraws every view. It checks nothing:
// the Grid Setting dialog passes a spacing between 0.01 and 100.
void SetGridSpacing(int on, float spacing);

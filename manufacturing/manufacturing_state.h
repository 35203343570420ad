#pragma once

// Brings the manufacturing commands' program-wide state to what start-up leaves: the slicer's
// pools freed, no slice file path, the estimate, one-side STL and Cut into Slices dialogs' values
// and the NC dialogs forgotten.
void ResetManufacturingState();

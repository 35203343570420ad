#pragma once

// The program-wide values of the modelling commands and tools (the dialogs' last values, the
// open-dialog pointers, the drawing tool's flag) back to their start-up values.
void ResetModellingState();

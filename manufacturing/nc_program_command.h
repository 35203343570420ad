#pragma once

// Misc > NC program: the NC Machining dialog, then the program written; "Setup..." lets the user
// drag the box in a view first, and the command comes back with it.
void OnNcProgram();

inline constexpr int kNcProgramCommand = 9120;

#include "app/command_rows.h"

// Curves and surfaces.
void AddCurveSurfaceRows(std::vector<CommandRow>& /*rows*/) {}

#pragma once

#include <vector>

#include "app/command_routing.h"

// Each menu family's rows of the command table, added in the family's own order.
void AddFileEditViewRows(std::vector<CommandRow>& rows);
void AddCopyDeformRows(std::vector<CommandRow>& rows);
void AddCurveSurfaceRows(std::vector<CommandRow>& rows);
void AddBooleanOutputRows(std::vector<CommandRow>& rows);

#pragma once

#include <span>
#include <vector>

#include "app/command_routing.h"

// The command-table rows of kind direct and reset-first: workers that take no arguments, so every
// view holds the same rows. One source file per menu family adds its rows; the view's own
// commands (kind view) are not among them.

// Fills the program-wide list afresh from every family. Returns the ids met twice (empty for a
// sound table); a second row would otherwise hide the first without a word.
std::vector<int> RegisterCommandRows();
// The registered rows, in family order.
std::span<const CommandRow> CommandTableRows();
// The ids that stand in more than one of the rows.
std::vector<int> IdsMetTwice(std::span<const CommandRow> rows);

#pragma once

#include <span>
#include <vector>

#include "app/command_routing.h"

class CVornView;

// The commands and check marks that the view holds: its own view commands, Pick, Undo, Redo and
// the language command, then every registered command-table row. The map refers to the view and
// lives no longer than it. A registered id that the view's own rows hold already goes to
// heldTwice, or without one to standard error.
CommandMap BuildViewCommandMap(CVornView& view, std::vector<int>* heldTwice = nullptr);

// The commands of which one at a time is the view's: its display modes, then its directions.
std::span<const std::span<const int>> ExclusiveViewCommandGroups();

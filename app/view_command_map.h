#pragma once

#include <span>

#include "app/command_routing.h"

class CVornView;

// The commands and check marks that the view holds: its own view commands, Pick, Undo, Redo and
// the language command. The modelling commands join it as their tables arrive. The map refers to
// the view and lives no longer than it.
CommandMap BuildViewCommandMap(CVornView& view);

// The commands of which one at a time is the view's: its display modes, then its directions.
std::span<const std::span<const int>> ExclusiveViewCommandGroups();

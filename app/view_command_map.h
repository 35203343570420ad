#pragma once

#include "app/command_routing.h"

class CVornView;

// The commands and check marks that the view holds: its own view commands, Pick, Undo, Redo and
// the language command. The modelling commands join it as their tables arrive.
CommandMap BuildViewCommandMap(CVornView& view);

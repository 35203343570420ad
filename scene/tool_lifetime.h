#pragma once

#include <memory>

#include "scene/tool.h"

// A tool taken out of its slot is destroyed at once, unless a call into it is still running (a
// tool that replaces itself from its own handler): then it waits in a retired list until the
// main loop empties it. Destructors have effects the next command relies on, so the ordinary
// case never waits.

// withoutActiveView non-zero: the tool is destroyed while no viewport reads as active.
void RetireTool(std::unique_ptr<CTool> tool, int withoutActiveView = 0);
// Stores a tool in an owning slot; the tool it replaces is retired. Storing the tool already
// there changes nothing.
void StoreOwnedTool(std::unique_ptr<CTool>& slot, CTool* tool);
// Destroys every retired tool that no call is running in; safe at any point between events.
void DestroyRetiredTools();
int RetiredToolCount();

// Destroys every retired tool, running calls or not; for the program-wide reset.
void ResetRetiredTools();

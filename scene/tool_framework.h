#pragma once

#include "scene/tool.h"

class CUndoHistory;

// The cursor of the current tool (secondary, else overlay, else default); 0 the arrow.
int GetCurrentToolCursorId();
// Clears the secondary slot and returns the tool that was there. Without one, posts 3600 "Pick",
// which resets to the pick tool, and returns null. Transient tools call it when they finish.
CTool* TakeSecondaryTool();
// Shows text in the status bar as the tool's prompt (a null tool: only shows it).
void ShowToolPrompt(CTool* tool, const std::string& text);
// The status bar shows the current tool's prompt, so a tool that ended leaves none of its own.
void ShowRunningToolPrompt();
// Shows "Picking..." and makes a fresh object pick tool.
CTool* NewPickTool();
// Makes the tool the default tool; the one it replaces is retired. The tool belongs to the slot
// from here on.
void StoreDefaultTool(CTool* tool);
// A fresh pick tool as default tool, then the cursor. Commands start from it.
void ResetToPickTool();
// Edit > Undo and Redo: the current tool's own operations.
void UndoWithCurrentTool();
void RedoWithCurrentTool();

// A document's history is going: its own tool is destroyed while no viewport is active, or else
// the default tool of the document is unbound from its viewport.
void UnbindToolsFromHistory(CUndoHistory* history);

// The start-up step of the tool framework: builds the static tools, makes the cursor follow the
// current tool, and lets tools retired inside their own handlers die before the next posted
// command runs.
void StartToolFramework();
// The program-wide reset: retired tools go and the start-up step runs again.
void ResetToolFramework();

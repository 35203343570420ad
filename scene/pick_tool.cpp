#include "scene/pick_tool.h"

#include "scene/undo_history.h"

void CPickTool::Undo() { UndoCommand(); }

void CPickTool::Redo() { RedoCommand(); }

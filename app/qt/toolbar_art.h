#pragma once

#include <QIcon>

// The picture of a toolbar button, by its command id; a null icon for a command without one.
// New, Open, Save, Undo, Redo and Help take the desktop theme's icon when it has one.
QIcon ToolbarIcon(int commandId);

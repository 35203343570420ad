#pragma once

#include <QCursor>

class QtUiServices;

// The mouse cursor of a tool, by the tool's cursor id; the arrow for an id without a picture.
QCursor ToolCursor(int cursorId);

// Hands every tool cursor to the UI services, which show them over the views.
void RegisterToolCursors(QtUiServices& ui);

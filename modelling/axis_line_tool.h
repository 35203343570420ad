#pragma once

#include "kernel/axis_line_object.h"
#include "scene/tool.h"

// Places axis lines by dragging along a screen axis: once the drag locks onto an axis, a line
// along that world axis follows the pointer; the release adds it.
class CAxisLineTool : public CTool {
 public:
  CAxisLineTool() : CTool(0) {}

  int GetCursorId() const override { return 9041; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  // A right press during a drag drops the line being dragged.
  void OnRButtonDown(int flags, int x, int y) override;
  // A right release during a drag restarts the axis lock from there; a line still current keeps
  // its axis, while one dropped by a right press is followed by a new line on the next lock.
  void OnRButtonUp(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;
  // The document's own undo and redo, so that each added line can be taken back in turn.
  void Undo() override;
  void Redo() override;

  // The line being dragged (the tool's own), null when none.
  CAxisLineObject* currentLine = nullptr;
  CAxisLineObject line;
  int lockedAxis = 0;
};

// Misc > T-Line.
void DoAxisLine();

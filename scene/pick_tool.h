#pragma once

#include <cstdint>
#include <vector>

#include "kernel/vector3.h"
#include "scene/picking.h"
#include "scene/tool.h"

inline constexpr int kPickCommand = 3600;
inline constexpr int kPickCVsCommand = 3601;
inline constexpr int kPickTLinesCommand = 3602;

// The ordinary tool: selects objects, or their control points. One heap instance at a time,
// made as the default tool.
class CPickTool : public CTool {
 public:
  CPickTool() : CTool(0) {}

  int GetCursorId() const override { return pointMode != 0 ? kPickCVsCommand : kPickCommand; }
  // Acts only for a right press, which arrives here with the right button in the flags.
  void OnLButtonDblClk(int flags, int x, int y) override;
  // Left button: a window, or with Ctrl a lasso; Shift (or point mode) works on control points.
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;
  // The document's own undo and redo.
  void Undo() override;
  void Redo() override;

  // The window being dragged; after a lasso, its bounding box.
  std::int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  // The pane's rectangle the window corner stays in.
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  // 0 objects, 1 control points.
  std::int32_t pointMode = 0;
  // 1 while a window is dragged, 0 while a lasso is drawn.
  std::int32_t windowMode = 0;
  // The lasso's screen points, from the press to the release; room grows 256 points at a time.
  std::vector<ScreenPoint> lassoPoints;
  // The last lasso point in model coordinates.
  Vector3 lassoModelPoint;

 protected:
  void ResetBox();
  // Axis lines only, no control points and no count.
  bool axisLinesOnly_ = false;

 private:
  void FinishLasso(int flags);
  void FinishWindow(int flags);
  // The objects the box or lasso left picked toggle between shown and selected.
  void ToggleHits(int hits, bool lastOnly);
  bool WorksOnPoints(int flags) const;
};

// Picks axis lines only.
class CTLinePickTool : public CPickTool {
 public:
  CTLinePickTool() { axisLinesOnly_ = true; }
  int GetCursorId() const override { return kPickTLinesCommand; }
  void OnLButtonDblClk(int flags, int x, int y) override;
};

// The Pick CV and Pick T-Line commands: the tool becomes the default tool, then the cursor.
void StartPickCVs();
void StartPickTLines();

// "Picking... (n picked objects)".
void ShowPickedCount(int count);
// Objects in state 1 on pickable layers.
int CountPickedObjects();

#pragma once

#include "kernel/vector3.h"
#include "scene/tool.h"

// Lets the user set a box by dragging its edges (Shift moves the whole box), then hands it back
// to the command that asked for it by running that command again.
class CRegionTool : public CTool {
 public:
  // The box starts as the caller's; with screenBox the caller's x and y are the view's
  // horizontal and vertical screen axes (signed), else world axes.
  CRegionTool(Vector3* min, Vector3* max, int command, int screenBox);
  // Erases the box.
  ~CRegionTool() override;

  // Finishes on a right press only: a left double-click must never end the box and run the
  // command.
  void OnLButtonDblClk(int flags, int x, int y) override;
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;
  // Per coordinate the smaller and the larger of the two corners.
  void GetBounds(Vector3* min, Vector3* max) const override;

  Vector3* callerMin;
  Vector3* callerMax;
  Vector3 boxMin;
  Vector3 boxMax;
  int command;
  // The in-plane and depth axes of the latest press, cyclic after the depth axis.
  int h = 0;
  int v = 1;
  int depth = 2;
  // Along h and v: -1 no edge grabbed, 0 the minimum, 1 the maximum.
  int grabbedH = -1;
  int grabbedV = -1;
  int screenBox;
  Vector3 point;
  int moveWholeBox = 0;
  // The world axes on the screen's horizontal and vertical axes at start, with their signs. The
  // cyclic axes of a press are not the screen axes in every view (across x and up z in a front
  // view, but z then x cyclically), so the screen box is written back through these.
  int screenH = 0;
  int screenV = 1;
  int signH = 1;
  int signV = 1;

 private:
  void SnapPoint(int x, int y);
  void ShowGrabbedStatus() const;
};

// Installs the region tool on the caller's box; a right press writes the box back and posts
// command, which then finds its box set.
void StartRegionTool(Vector3* min, Vector3* max, int command, int screenBox);

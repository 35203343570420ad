#pragma once

#include "kernel/vector3.h"
#include "scene/tool.h"

// Reads out the coordinate differences, the distance and the angles of successive legs between
// picked points; each release starts the next leg from the released point.
class CMeasureTool : public CTool {
 public:
  CMeasureTool() : CTool(0) {}

  int GetCursorId() const override { return 9300; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  // Follows the pointer with or without a button held.
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;

  // The point measured from (the world origin at first) and the current point.
  Vector3 P1;
  Vector3 P2;
  // The reference of the turn angle, and the direction of the latest leg, in degrees.
  float a1 = 0.0f;
  float a2 = 0.0f;

 private:
  // P2 := the point under (x, y): on the shown surface in the shaded modes, else grid-snapped
  // on the plane through P2 facing the view.
  void PointUnderCursor(int x, int y);
  void ShowReadout();
};

// Misc > Measure distance.
void DoMeasureDistance();

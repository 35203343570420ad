#pragma once

#include "kernel/vector3.h"

// Turning the pointer's screen position into model points, and echoing them.

// Every coordinate rounded to the nearest multiple of step.
Vector3 SnapToGrid(Vector3 v, double step);

// Coordinate axis (0 x, 1 y, 2 z) of a point.
float& Coordinate(Vector3& point, int axis);

// The point under pixel (x, y) on the plane facing the active view through the point's depth
// coordinate, its other two coordinates snapped to the grid step; echoed in the status bar.
void SnapPointToGrid(Vector3* point, int x, int y);

// The point under (x, y) on the view plane through the origin, snapped to the grid step and
// kept to one screen axis of the drag. start >= 1 (a press) makes it the drag origin and
// returns -1. Otherwise it returns the axis the point follows (h or v): locked once the motion
// along it reached twice the grid unit, else its complement ~axis while it may still switch.
int SnapDragPoint(Vector3* point, int x, int y, int start);

// "    X %8.4g    Y %8.4g    Z %8.4g" in the status bar.
void ShowPointStatus(float x, float y, float z);

// The drag state as at start-up.
void ResetPointerSnapping();

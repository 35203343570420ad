#pragma once

#include "kernel/matrix4.h"
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

// The point of the shown surface under (x, y), read from the view's depth raster and rounded
// to 0.001; over empty background its depth-axis coordinate is 0. Echoed in the status bar.
void UnprojectPoint(Vector3* point, int x, int y);

// A frame on the shown surface under (x, y): rows 0 and 1 the surface's screen-right and
// screen-up directions (t and a), row 2 its normal facing the viewer, row 3 the point, rounded
// to 0.001, with depth-axis coordinate 0 over empty background. Echoed in the status bar.
void PickPointInView(Matrix4* frame, int x, int y);

// The drag state as at start-up.
void ResetPointerSnapping();

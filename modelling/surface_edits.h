#pragma once

class CGeomObject;
class CSurfaceObject;

// The Surface menu's edits of the selected surfaces; each records undo before a change and ends
// by redrawing every view.

// Surface > Close, Open, Reverse (U) and V-Curves > Close, Open, Reverse (V).
void DoSurfaceCloseU();
void DoSurfaceOpenU();
void DoSurfaceReverseU();
void DoSurfaceCloseV();
void DoSurfaceOpenV();
void DoSurfaceReverseV();

// Direction 0 reverses the row order, 1 reverses every row; each mark moves with its point.
// Attributes and closed flags stay.
void ReverseSurfaceGrid(CSurfaceObject* surface, int direction);
// Transposes the grid; flags, attributes and both step pairs exchange between U and V, the marks
// move with their points and the orientation is negated. Records the surface (undo type 3).
void SwapSurfaceUV(CSurfaceObject* surface);
void DoSwapUV();

// Negates the orientation of a surface or mesh, of every surface of a block and of everything
// inside a Boolean group, one undo record per changed object; other kinds are left alone.
void FlipObjectNormal(CGeomObject* object);
void DoFlipNormal();

// Step ways: 0 sets the value, 1 multiplies by it, 2 divides by it rounding up.
inline constexpr int kStepAssign = 0;
inline constexpr int kStepIncreasing = 1;
inline constexpr int kStepDecreasing = 2;
// A surface's step counts of each direction that is on (display and output alike) by way; a
// Boolean group passes it to its members, other kinds are left alone.
void SetSurfaceSteps(CGeomObject* object, int uOn, int vOn, int uValue, int vValue, int way);
void DoSurfaceStep(int uOn, int vOn, int uValue, int vValue, int way);

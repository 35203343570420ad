#pragma once

#include "kernel/matrix4.h"

class CGeomObject;

// The scene's dealings with the views of the active document. Without an active viewport the
// queries answer for a freshly made pane and the updates do nothing.

// The active viewport's zoom scale.
float ScaleOfActiveView();
// The active viewport's grid unit, times the snap factor when withSnap is non-zero.
float GetGridStep(int withSnap);
// A copy of the active viewport's view matrix.
Matrix4 GetActiveViewMatrix();

// Loads the active viewport's projection into the drawing context.
void ApplyActiveViewProjection();
// 0 when the object's screen box, under the projection in force, lies clear of the active
// viewport's dirty rectangle (or of the whole pane when none is in force) by more than the
// display mode's margin. Axis lines are always in view, and so is everything without an active
// viewport.
int IsObjectInView(const CGeomObject* object);

// Invalidates every view of the active document so that each redraws in full.
void RedrawAllViews();
// Refreshes the tools' feedback in every view of the active document (modes -2, 0, 1, 2), the
// active one last; returns its result, or 0 without an active viewport.
int RefreshAllViews(int mode);
// Adds the screen box of the model box, widened by the display mode's margin, to the dirty
// rectangle of every view of the active document.
void InvalidateBoxInViews(float xmin, float ymin, float zmin, float xmax, float ymax, float zmax);

#pragma once

#include "kernel/matrix4.h"

// The scene's dealings with the views of the active document. Without an active viewport the
// queries answer for a freshly made pane and the updates do nothing.

// The active viewport's zoom scale.
float ScaleOfActiveView();
// The active viewport's grid unit, times the snap factor when withSnap is non-zero.
float GetGridStep(int withSnap);
// A copy of the active viewport's view matrix.
Matrix4 GetActiveViewMatrix();

// Invalidates every view of the active document so that each redraws in full.
void RedrawAllViews();

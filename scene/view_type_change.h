#pragma once

#include "kernel/matrix4.h"

class CViewport;

// The camera of the last 3-D view that turned into a fixed view, translation included; the 3D
// command brings it back. Starts as the Front axes.
extern Matrix4 Saved3DMatrix;

// The camera part of giving a view another type. A fixed type writes its axes into the rotation
// part and carries the translation over from the old type's plane; leaving 3D first keeps the
// camera in Saved3DMatrix. Turning to 3D keeps the rotation, or with restore3D takes the whole
// saved camera. Asking for the type the view has changes nothing. Returns 1 when the type changed.
int ChangeViewType(CViewport* view, int type, int restore3D);

// The type's axes (3D takes the Front axes) with no translation, at zoom 1; a type outside 0-6
// only resets the zoom. Nothing is redrawn.
void ResetCamera(CViewport* view, int type);

void ResetViewTypeState();

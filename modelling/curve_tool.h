#pragma once

#include "kernel/vector3.h"

class CCurveObject;

// TEMPORARY stand-in until the drawing tool lands: no tool is ever active.
bool CurveToolActive();
// The curve the drawing tool is building or editing; null when none.
CCurveObject* CurveToolWorkingCurve();

// TEMPORARY stand-in until the drawing tool lands: the lowest index of the points whose marker
// lies within 5 pixels of (x, y) in the active view; -1 for none or an empty array.
int PickControlPoint(const Vector3* points, int count, int x, int y);

#pragma once

#include <vector>

#include "kernel/vector3.h"

class CCurveObject;

// Adds a curve over these control points with the new-object defaults (selected, current layer;
// an undo record of its addition). Null, and nothing added, without an active viewport.
CCurveObject* AddNewCurve(std::vector<Vector3> points, int closed);

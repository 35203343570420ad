#pragma once

#include <vector>

#include "kernel/vector3.h"

class CSurfaceObject;

// The control points of a copy of a grid of at least 2 x 2 whose surface lies d along the
// surface's normals: the points the control points pass through (the knots, and the middle of an
// end span whose end is no knot) moved by d along the unit normal there, and the control points
// solved to pass through them, so the distance holds on the surface, not on its control net. A
// pole moves as one point, away from the surface. Empty for a smaller grid.
std::vector<Vector3> OffsetSurfacePoints(const CSurfaceObject& surface, float d);

// For every selected surface of at least 2 x 2: a copy moved by distance along the normals on
// the outside (side 1), the inside (-1) or, as two copies, both (0). The outside follows the
// surface's orientation.
void DoOffsetSurface(float distance, int side);

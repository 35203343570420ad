#pragma once

#include <vector>

#include "kernel/vector3.h"

class CSurfaceObject;

// The unit normal at every control point of a grid of at least 2 x 2, row by row, from the
// tangents to the nearest distinct neighbours (0.0001 apart) along the row and down the column.
std::vector<Vector3> SurfaceControlNormals(const CSurfaceObject& surface);

// For every selected surface of at least 2 x 2: a copy moved by distance along the normals on
// the outside (side 1), the inside (-1) or, as two copies, both (0). The outside follows the
// surface's orientation.
void DoOffsetSurface(float distance, int side);

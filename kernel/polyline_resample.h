#pragma once

#include "kernel/vector3.h"

// Writes m points into out, equally spaced by arc length along the polyline of n points, from its
// first point to its last. m < 1 or n < 1 writes nothing; m = 1 or a polyline of zero length
// gives the first point in every slot. Never writes beyond out[m - 1].
void ResamplePolyline(const Vector3* points, Vector3* out, int n, int m);

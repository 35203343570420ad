#pragma once

#include <vector>

#include "kernel/matrix4.h"

// Each of the n profile points moved by distance within the profile plane: the one-point section
// (0, distance, 0) placed along the profile as a path, under the given reference frame. Leaves
// SweepReferenceMatrix holding that frame, as every placement caller sets it first anyway.
std::vector<Vector3> BuildSolidProfilePoints(const Vector3* points, int n, int closed,
                                             float distance, const Matrix4& reference);

#pragma once

#include "kernel/vector3.h"

// The unit normal of the ribbon between rails A and B (n points each) at index i, or (0, 0, 0)
// where the ribbon has no width or no length there.
void RailNormalAt(Vector3* out, const Vector3* A, const Vector3* B, int i, int n, int closed);

// Places n rows of count section points between rails A and B. Row i is given in a local frame
// whose x axis is (B[i] - A[i]) / a (a below 1 counts as 1) with its origin at B[i] minus that axis, so with a = 1 a
// section from x = 0 to x = 1 spans the gap from rail A to rail B. The optional third rail W
// sets the section's height (and, with useThirdRail, its normal); the optional fourth rail H
// its base. b < 0 keeps the section's size, b == 0 keeps a unit normal, and b > 0 scales the
// normal with the gap.
void PlaceSectionsAlongPathC(Vector3* grid, int n, int count, int closed, const Vector3* A,
                             const Vector3* B, const Vector3* W, const Vector3* H, int a, int b,
                             int useThirdRail);

#pragma once

#include <span>
#include <vector>

#include "kernel/polygon_triangulation.h"
#include "kernel/vector3.h"

// The rings of one flat polygon with holes, such as a block's end face, made ready for the
// triangulator, which needs every ring to turn against the ring around it and takes the plane
// from the first ring's first three points.

// Twice the area the ring encloses, positive when it turns counter-clockwise about axis.
float SignedArea(std::span<const Vector3> ring, Vector3 axis);

// Whether the ring, seen along axis, surrounds the point.
bool RingSurrounds(std::span<const Vector3> ring, Vector3 point, Vector3 axis);

// Turns rings over, whichever way they were drawn (font outlines draw holes the other way round
// from hand-drawn ones), so that the outermost ones turn as the first ring's nesting says and
// each inner one against the one around it. Rings of fewer than 3 points are left alone. Returns
// per ring whether it was turned over; outerTurn receives whether the outermost rings turn
// counter-clockwise about axis.
std::vector<bool> OrientNestedRings(std::vector<std::vector<Vector3>>& rings, Vector3 axis, bool* outerTurn);

// Starts the ring where it turns most about axis, so that a corner of repeated or collinear
// points cannot tilt the plane the triangulator takes from the first three.
void StartAtSharpestTurn(std::vector<Vector3>* ring, Vector3 axis);

// The rings of one flat face seen along normal, holes drawn either way round, as triangles of
// three corners each (tip, next, previous), turning as the outermost rings turn.
std::vector<Vector3> TriangulateOutlines(std::vector<std::vector<Vector3>> outlines, Vector3 normal,
                                         LevelCorners level = LevelCorners::kInGivenOrder);

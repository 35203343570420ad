#pragma once

#include <functional>

#include "kernel/vector3.h"

// Receives each triangle as its tip and the tip's ring neighbours, next then previous.
using TriangleSink = std::function<void(Vector3 tip, Vector3 next, Vector3 previous)>;

// Splits a planar polygon given as ringCount closed rings (an outer ring and its holes, with
// the windings the callers' rings define) into triangles, emitted in the order found, by ear
// clipping along a sweep of one plane axis. Rings of fewer than 3 points are skipped. Input that
// is not a set of simple, non-crossing rings gives whatever triangles the sweep finds, and still
// finishes.
void TriangulatePolygons(int ringCount, const int* ringSizes, const Vector3* const* rings,
                         const TriangleSink& emitTriangle);

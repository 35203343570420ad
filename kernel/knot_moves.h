#pragma once

#include "kernel/vector3.h"

// The knot point of control point i of a uniform cubic B-spline is (P[i-1] + 4 P[i] + P[i+1]) / 6,
// with the end rules of ExtendCurveEnds: closed, the line wraps; an open end with attribute 0 is
// a knot itself (its phantom neighbour makes the curve reach it); an open end with another
// attribute only steers the curve and is no knot.

// Turns where the curve of n control points (read stride apart) is to pass into those control
// points, in place, solved in double. The value of a knot is the curve's point there; the value
// of an end that is no knot is the curve's point in the middle of the span next to it. Linear,
// so moves of those points give the moves of the control points that make them. Lines without
// a knot, and closed lines below 3 points, stay as they are.
void PassingPointsToControlPoints(Vector3* values, int n, int stride, int closed, int startAttribute, int endAttribute);

// Where control point i of n is read among the curve's points at every half span (ExtendCurveEnds,
// then EvaluateCurvePoints with 2 steps): its knot, or for an end that is no knot the middle of
// the span next to it.
int PassingPointIndex(int i, int n, int closed, int startAttribute, int endAttribute);

#pragma once

#include <vector>

#include "kernel/vector3.h"

class CCurveObject;

// Every selected curve, listed before a command changes states or appends objects.
std::vector<CCurveObject*> SelectedCurves();

// Curve > Close and Open: on the curve being drawn when the drawing tool runs (no undo record),
// else on every selected curve.
void DoCurveClose();
void DoCurveOpen();

// The point order and the marks with it, so picked control points stay on their points.
void ReverseCurvePoints(CCurveObject* curve);
// Every selected curve runs the other way: points reversed, end attributes exchanged.
void DoCurveReverse();

// The control points of the same line with `number` times as many spans: n points read at
// points[i * stride] with the given end attributes and closed flag, refined and trimmed of what
// the prepared ends added. Empty when number is below 1 or the prepared line has fewer than 4
// points.
std::vector<Vector3> RefineControlLine(int n, const Vector3* points, int stride, int startAttr, int endAttr,
                                       int closed, int number);
// The control points of the same curve with `number` times as many spans; empty when the curve
// is too short to refine (fewer than 4 points once its ends are prepared) or number is below 1.
std::vector<Vector3> DivideCurvePoints(const CCurveObject& curve, int number);
// Every selected curve that can be refined is replaced by a refined copy, one undo step bringing
// the source back; a curve too short to refine is left as it is.
void DoCurveDivide(int number);

// The control points moved by distance along the control polygon's normal in the active view's
// plane; empty for a curve of fewer than 2 points.
std::vector<Vector3> OffsetCurvePoints(const CCurveObject& curve, float distance);
// Offset copies of every selected curve: side 0 both, 1 outside (+distance), -1 inside.
void DoOffsetCurve(float distance, int side);

#pragma once

#include <array>

#include "kernel/vector3.h"

class CCurveObject;
class CGeomObject;
class CSurfaceObject;

// The grid conventions and numerics that every surface builder shares. A grid is stored row by
// row; U runs across the rows, V along a row.

// The signed volume the grid encloses with the origin. A grid closed in one direction only is
// capped at its two open boundary loops by fans from their first points.
float ComputeGridVolume(const Vector3* points, int rows, int columns, int closedU, int closedV);
// Twice the vector area of the closed polygon (not normalised).
Vector3 ComputePolygonNormal(int n, const Vector3* points);
// The area centroid of the polygon seen in the plane of axes a and b; the plain average when the
// polygon has (almost) no area there.
Vector3 ComputeGridCentroid(const Vector3* points, int n, int a, int b);

// rows = n, one column per curve point, zeroed points; V settings from the curve.
void SetupGridFromCurve(const CCurveObject& curve, CSurfaceObject& surface, int n);
// One row per point of u, one column per point of v, zeroed points; U settings from u, V from v.
void SetupLoftGrid(const CCurveObject& u, const CCurveObject& v, CSurfaceObject& surface);

// +1 when the grid encloses a volume of 0 or more, else -1; with the points final.
void ApplyOrientationRule(CSurfaceObject& surface);

// A source curve consumed by a surface command: recorded, then hidden until restored.
void RemoveSourceObject(CGeomObject* object);
inline constexpr int kStateRemoved = 4;

// The dominant axis of a normal: y wins ties with x, z wins ties with the winner.
int DominantAxis(Vector3 normal);
// The section frame of a normal axis: (first in-plane, second in-plane, normal), the in-plane
// pair swapped when asked.
std::array<int, 3> SectionAxes(int normalAxis, int swapped);
// The point read in a section frame.
Vector3 ReadInFrame(Vector3 point, const std::array<int, 3>& axes);

// Same point count, closed flag and end attributes: sections (and rails) that can share a grid.
bool SameCurveLayout(const CCurveObject& a, const CCurveObject& b);

#pragma once

#include <vector>

#include "kernel/matrix4.h"

// The control grid (rows x cols, row-major; rows run along U, columns along V) with its borders
// prepared for tessellation: every row extended along V as ExtendCurveEnds extends a curve, then
// every column of the result along U. The result is row-major with row stride *outCols. A grid
// with fewer than 2 rows or columns gives the empty result (0 x 0).
void ExtendSurfaceNet(const Vector3* grid, int rows, int cols, int startU, int endU, int closedU,
                      int startV, int endV, int closedV, std::vector<Vector3>* outGrid,
                      int* outRows, int* outCols);

// Tessellates an extended nu x nv grid into *outRows x *outCols points, row-major, with the U
// tangents dP/du (across rows) and V tangents dP/dv (along a row) per span parameter when
// wantTangents is non-zero (otherwise the tangent outputs are not touched and may be null).
// Both steps >= 1 evaluates the bicubic patches at every 1/steps of a span; a step count below 1
// refines the control net instead, keeping that direction's net lines. A grid smaller than 4 x 4
// leaves every output untouched; a result above kMaxTessellationPoints comes back empty (0 x 0).
void TessellateSurface(const Matrix4& B, const Vector3* extendedGrid, int nu, int nv,
                       std::vector<Vector3>* outPoints, std::vector<Vector3>* outTangentU,
                       std::vector<Vector3>* outTangentV, int* outRows, int* outCols, int stepsU,
                       int stepsV, int wantTangents);

// Tessellates as TessellateSurface does with tangents, but gives the unit normal at every point in
// their place: tangent U x tangent V for an orientation of 1 or more, the reverse below, after
// degenerate tangents are replaced as SubstituteDegenerateTangents replaces them. The tangents are
// kept only a row at a time. A result of fewer than 2 rows or columns has unspecified normals.
void TessellateSurfaceNormals(const Matrix4& B, const Vector3* extendedGrid, int nu, int nv,
                              int stepsU, int stepsV, int orientationSign,
                              std::vector<Vector3>* outPoints, std::vector<Vector3>* outNormals,
                              int* outRows, int* outCols);

// A tangent with all three components below 0.0001 in magnitude (a collapsed edge or a pole).
bool IsDegenerateTangent(Vector3 v);
// Replaces degenerate tangents of a rows x cols tessellation (both at least 2), in row-major order
// and in place, so the normal there follows the surface around it: a degenerate U tangent takes
// the previous column's (column 1's for column 0), otherwise a degenerate V tangent takes the
// previous row's (row 1's for row 0). At a pole every U tangent is zero, so the neighbour along
// the other direction gives the real one.
void SubstituteDegenerateTangents(Vector3* tangentsU, Vector3* tangentsV, int rows, int cols);

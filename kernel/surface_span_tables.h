#pragma once

#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/matrix4.h"

// Polynomial coefficients of every patch of an extended surface grid: one table per U span, each
// holding 16 coefficients C[i][k] per V span at index 16 * vspan + 4 * i + k. The patch point at
// local (u, v) in [0, 1]^2 is the sum of u^i v^k C[i][k].
using SurfaceSpanTables = std::vector<std::vector<Vector3>>;

// C = A . P . Bm^T for every patch of an nu x nv row-major grid (the B-spline basis for both gives
// the tensor-product surface). Coefficients within 0.0001 of zero on every axis are stored as
// exact zeros. A grid with fewer than 4 rows or columns gives no tables.
void BuildSurfaceSpanTables(const Matrix4& A, const Matrix4& Bm, SurfaceSpanTables* outTables,
                            const Vector3* extendedGrid, int nu, int nv);

// The monomials [1, t, t^2, t^3] of a local parameter and their derivatives [0, 1, 2t, 3t^2].
struct CubicWeights {
  float value[4];
  float slope[4];
};
CubicWeights MakeCubicWeights(float t);

// The four u-blended coefficients sum_i w[i] C[i][k] of one patch; a point of the patch is then
// one more Blend4 of them with the v weights.
void BlendPatchRows(const Vector3* patch, const float w[4], Vector3 out[4]);

struct PatchSample {
  Vector3 point;
  Vector3 tangentU;  // dP/du, per span parameter
  Vector3 tangentV;  // dP/dv
};
PatchSample EvaluatePatch(const Vector3* patch, float u, float v);

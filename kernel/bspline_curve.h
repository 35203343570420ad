#pragma once

#include <cstdint>
#include <vector>

#include "kernel/matrix4.h"

// Uniform cubic B-spline curves: a polygon of n points has n - 3 spans, span k covering the global
// parameter range [k, k + 1]; the point of a span at local u is [1, u, u^2, u^3] . B . P[k..k+3].
extern const Matrix4 kBSplineBasis;

// No refinement or tessellation hands out more points than this in one buffer: a 2048 x 2048
// grid, far beyond anything drawn, shaded or exported. Step counts come from files and may
// legitimately exceed 256, so the cap is on the output rather than on the steps; a request above
// it gives the empty result, which every caller already reads as nothing to draw.
inline constexpr std::int64_t kMaxTessellationPoints = std::int64_t{1} << 22;

// sum of w[i] * v[i * stride], i = 0..3, accumulated in that order: one row of a refinement matrix
// applied to a span, or one blend of a surface patch. Inline, as the hot loops of drawing and
// shading spend their time here; the rounding is that of VecAdd(sum, VecScale(v, w)).
// Written out rather than looped: builds that count every loop test spend most of a curve there.
inline Vector3 Blend4(const Vector3* v, int stride, const float w[4]) {
  const Vector3 &a = v[0], &b = v[stride], &c = v[2 * stride], &d = v[3 * stride];
  return {(((0.0f + a.x * w[0]) + b.x * w[1]) + c.x * w[2]) + d.x * w[3],
          (((0.0f + a.y * w[0]) + b.y * w[1]) + c.y * w[2]) + d.y * w[3],
          (((0.0f + a.z * w[0]) + b.z * w[1]) + c.z * w[2]) + d.z * w[3]};
}

// The curve point at the knot under point: (previous + 4 point + next) / 6, with the division
// as the float nearest 1/6.
inline Vector3 KnotPoint(const Vector3& previous, const Vector3& point, const Vector3& next) {
  return VecScale(VecAdd(VecAdd(previous, VecScale(point, 4.0f)), next), 0.16666667f);
}

// Drawing and shading sample at most this many points along one direction of one object: more
// than any view has pixels, and a bound on what a step count stored in a file costs per frame.
// The stored count is kept; only the frame uses fewer.
inline constexpr std::int64_t kMaxDrawnPointsPerDirection = std::int64_t{1} << 16;

// A drawn surface net samples at most this many points each way: more lines than a view shows,
// while its rows x columns stay far within kMaxTessellationPoints, so it is still drawn.
inline constexpr std::int64_t kMaxDrawnGridSide = std::int64_t{1} << 9;

// The steps per span to draw a line of `points` extended control points with: lowered, never
// below 1, so that its spans x steps stay within the limit; 0 and 1 are kept.
int DrawnSteps(int steps, std::int64_t points, std::int64_t limit = kMaxDrawnPointsPerDirection);

// True when a rows x cols buffer stays within kMaxTessellationPoints (sizes in 64 bits).
bool FitsTessellationCap(std::int64_t rows, std::int64_t cols);

// The refinement matrices for one step count: one table per thread, built on first use and
// rebuilt whenever a refinement on that thread asks for another step count. Results never depend
// on what it held before.
struct SubdivisionMatrixCache {
  std::int32_t stepCount = -1;  // -1: nothing built
  std::vector<Matrix4> matrices;
};

// Empties the calling thread's table.
void ResetSubdivisionMatrixCache();

// The control polygon with its ends prepared for sampling: closed wraps around as
// [P(n-1), P0 ... P(n-1), P0, P1]; an open end with attribute 0 gets the phantom point
// 2 P0 - P1 (2 P(n-1) - P(n-2) at the back), so the curve reaches that end point. Point i is read
// at points[i * stride], so a column of a grid can be taken. n <= 1 gives nothing.
std::vector<Vector3> ExtendCurveEnds(int n, const Vector3* points, int startAttr, int endAttr,
                                     int closed, int stride = 1);

// Refines an extended polygon by s steps per span into the s (n - 3) + 3 control points of the
// same curve. n < 4, s < 1 or an output above the cap gives nothing.
std::vector<Vector3> SampleCurve(const Vector3* points, int n, int s);

// The points of the curve of an extended polygon at every 1/s of a span: s (n - 3) + 1 points.
// A clamped end meets its control point within float rounding (a few ulps), not exactly: the
// matrices come from a float adjugate inverse and the average uses the float nearest 1/6, and
// the ends are deliberately not snapped.
// s == 0 gives P1 ... P(n-2), which for a polygon from ExtendCurveEnds is the control polygon
// itself (closed by a repeat of P0 when closed).
std::vector<Vector3> EvaluateCurvePoints(const Vector3* points, int n, int s);

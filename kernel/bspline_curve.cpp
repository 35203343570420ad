#include "kernel/bspline_curve.h"

#include <algorithm>
#include <cstddef>

const Matrix4 kBSplineBasis = {{1.0f / 6.0f, 2.0f / 3.0f, 1.0f / 6.0f, 0.0f,  //
                                -0.5f, 0.0f, 0.5f, 0.0f,                      //
                                0.5f, -1.0f, 0.5f, 0.0f,                      //
                                -1.0f / 6.0f, 0.5f, -0.5f, 1.0f / 6.0f}};

namespace {

// One per thread, so that objects can be tessellated side by side.
thread_local SubdivisionMatrixCache subdivisionCache;

// Builds, for every step m of s, the matrix that maps a span's control points to those of its
// m-th sub-span: S_m = B^-1 (T_m B), where T_m re-parametrises u = m h + h w with h = 1/s.
void BuildSubdivisionMatrices(int s) {
  // h is formed in double and kept as a float, like every stored value.
  const float h = static_cast<float>(1.0 / s);
  const Matrix4 inverseBasis = MatInverse(kBSplineBasis);
  subdivisionCache.stepCount = s;
  subdivisionCache.matrices.assign(static_cast<std::size_t>(s), Matrix4());
  for (int m = 0; m < s; ++m) {
    const float mf = static_cast<float>(m);
    const float t = mf * h;
    const Matrix4 reparametrise = {{1.0f, t, t * t, t * t * t,                               //
                                    0.0f, h, 2.0f * mf * h * h, 3.0f * mf * mf * h * h * h,  //
                                    0.0f, 0.0f, h * h, 3.0f * mf * h * h * h,                //
                                    0.0f, 0.0f, 0.0f, h * h * h}};
    subdivisionCache.matrices[static_cast<std::size_t>(m)] =
        MatMultiply(inverseBasis, MatMultiply(reparametrise, kBSplineBasis));
  }
}

Vector3 ApplyRow(const Matrix4& S, int row, const Vector3* span) {
  return Blend4(span, 1, &S.m[row * 4]);
}

}  // namespace

bool FitsTessellationCap(std::int64_t rows, std::int64_t cols) {
  return rows <= kMaxTessellationPoints && cols <= kMaxTessellationPoints &&
         rows * cols <= kMaxTessellationPoints;
}

void ResetSubdivisionMatrixCache() { subdivisionCache = SubdivisionMatrixCache(); }

std::vector<Vector3> ExtendCurveEnds(int n, const Vector3* points, int startAttr, int endAttr,
                                     int closed, int stride) {
  std::vector<Vector3> out;
  if (n <= 1) return out;
  const auto P = [&](int i) { return points[static_cast<std::ptrdiff_t>(i) * stride]; };
  if (closed != 0) {
    out.reserve(static_cast<std::size_t>(n) + 3);
    out.push_back(P(n - 1));
    for (int i = 0; i < n; ++i) out.push_back(P(i));
    out.push_back(P(0));
    out.push_back(P(1));
    return out;
  }
  out.reserve(static_cast<std::size_t>(n) + 2);
  if (startAttr == 0) out.push_back(VecSub(VecScale(P(0), 2.0f), P(1)));
  for (int i = 0; i < n; ++i) out.push_back(P(i));
  if (endAttr == 0) out.push_back(VecSub(VecScale(P(n - 1), 2.0f), P(n - 2)));
  return out;
}

std::vector<Vector3> SampleCurve(const Vector3* points, int n, int s) {
  if (n < 4 || s < 1) return {};
  const std::int64_t spans = n - 3;
  const std::int64_t count = s * spans + 3;
  if (!FitsTessellationCap(1, count)) return {};
  if (s != subdivisionCache.stepCount) BuildSubdivisionMatrices(s);

  std::vector<Vector3> out(static_cast<std::size_t>(count));
  std::size_t next = 0;
  for (std::int64_t r = 0; r < spans; ++r) {
    const Vector3* span = points + r;
    for (const Matrix4& S : subdivisionCache.matrices) out[next++] = ApplyRow(S, 0, span);
  }
  // The last sub-span also gives up its remaining three control points.
  const Vector3* lastSpan = points + (spans - 1);
  for (int row = 1; row < 4; ++row)
    out[next++] = ApplyRow(subdivisionCache.matrices.back(), row, lastSpan);
  return out;
}

int DrawnSteps(int steps, std::int64_t points, std::int64_t limit) {
  const std::int64_t spans = std::max<std::int64_t>(points - 3, 1);
  if (steps <= 1 || spans * steps <= limit) return steps;
  return static_cast<int>(std::max<std::int64_t>(limit / spans, 1));
}

std::vector<Vector3> EvaluateCurvePoints(const Vector3* points, int n, int s) {
  if (s == 0) {
    if (n < 3) return {};
    return std::vector<Vector3>(points + 1, points + (n - 1));
  }
  const std::vector<Vector3> refined = SampleCurve(points, n, s);
  if (refined.size() <= 2) return {};
  // Each refined triple A, B, C gives the curve point at the knot under B.
  std::vector<Vector3> out(refined.size() - 2);
  for (std::size_t k = 0; k < out.size(); ++k) out[k] = KnotPoint(refined[k], refined[k + 1], refined[k + 2]);
  return out;
}

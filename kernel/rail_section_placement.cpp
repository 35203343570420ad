#include "kernel/rail_section_placement.h"

#include <cmath>
#include <cstddef>

#include "kernel/matrix4.h"

namespace {

constexpr Vector3 kZero{0, 0, 0};
constexpr float kMinNormal = 0.0001f;
constexpr double kMinGap = 0.0001;

}  // namespace

void RailNormalAt(Vector3* out, const Vector3* A, const Vector3* B, int i, int n, int closed) {
  int p = i - 1;
  if (p < 0) p = closed != 0 ? n - 1 : 0;
  int q = i + 1;
  if (q >= n) q = closed != 0 ? 0 : n - 1;

  // Six times the gap between the smoothed rail points, and minus the summed central
  // differences of both rails.
  const Vector3 smoothedB = VecAdd(VecAdd(B[p], VecScale(B[i], 4.0f)), B[q]);
  const Vector3 smoothedA = VecAdd(VecAdd(A[p], VecScale(A[i], 4.0f)), A[q]);
  const Vector3 across = VecSub(smoothedB, smoothedA);
  const Vector3 along = VecAdd(VecSub(A[p], A[q]), VecSub(B[p], B[q]));
  if (VectorsEqual(across, kZero) || VectorsEqual(along, kZero)) {
    *out = kZero;
    return;
  }
  *out = Normalize(VecCross(along, across));
}

void PlaceSectionsAlongPathC(Vector3* grid, int n, int count, int closed, const Vector3* A,
                             const Vector3* B, const Vector3* W, const Vector3* H, int a, int b,
                             int useThirdRail) {
  // Nothing to place, and no index to wrap modulo zero.
  if (n < 1) return;

  // Fallback normal where the rails give none: the normal of the area the two rails sweep,
  // always summed around, closed or not.
  Vector3 sum = kZero;
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    sum = VecAdd(sum, VecSub(VecCross(B[i], B[j]), VecCross(A[i], A[j])));
  }
  const Vector3 fallbackNormal = Normalize(sum);

  // A divisor below 1 would give rows of infinities and NaN: it is taken as 1.
  const float divisor = a < 1 ? 1.0f : static_cast<float>(a);
  Matrix4 frame = kIdentityMatrix;
  for (int i = 0; i < n; ++i) {
    Vector3 X = VecScale(VecSub(B[i], A[i]), 1.0f / divisor);
    Vector3 origin = VecSub(B[i], X);
    const double length = std::sqrt(static_cast<double>(VecDot(X, X)));

    Vector3 N;
    RailNormalAt(&N, A, B, i, n, closed);
    // The flag alone, without a third rail to aim at, changes nothing.
    if (useThirdRail != 0 && W != nullptr) {
      const Vector3 toThird = Normalize(VecCross(VecCross(X, VecSub(W[i], origin)), X));
      if (!VectorsEqual(toThird, kZero)) N = toThird;
    }
    if (std::fabs(N.x) < kMinNormal && std::fabs(N.y) < kMinNormal && std::fabs(N.z) < kMinNormal) {
      N = fallbackNormal;
    }

    Vector3 Z = VecScale(Normalize(VecCross(X, N)), static_cast<float>(length));
    if (b < 0 && length > kMinGap) {
      X = VecScale(X, static_cast<float>(1.0 / length));
      Z = VecScale(Z, static_cast<float>(1.0 / length));
    } else if (W != nullptr && H != nullptr) {
      origin = VecAdd(origin, VecScale(N, VecDot(N, VecSub(H[i], origin))));
      N = VecScale(N, VecDot(N, VecSub(W[i], H[i])));
    } else if (W != nullptr) {
      N = VecScale(N, VecDot(N, VecSub(W[i], origin)));
    } else if (b != 0) {
      N = VecScale(N, static_cast<float>(length));
    }

    SetMatrixRow(&frame, 0, X);
    SetMatrixRow(&frame, 1, N);
    SetMatrixRow(&frame, 2, Z);
    SetMatrixRow(&frame, 3, origin);
    Vector3* section = grid + static_cast<std::ptrdiff_t>(i) * count;
    for (int j = 0; j < count; ++j) TransformPointInPlace(&section[j], frame);
  }
}

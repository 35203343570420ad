#include "kernel/section_placement.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "kernel/matrix4.h"

namespace {

constexpr Vector3 kZero{0, 0, 0};

// A turn of more than about 150 degrees counts as 150 degrees.
constexpr float kMinCosine = -0.866f;
constexpr float kReferenceFallbackLimit = 0.001f;
// Carrying the frame nudges Y until X = Y x T is no longer zero. Where T is zero (an exact
// reversal) or lies along z while Y leans off it by a hair, no nudge helps; after this many
// tries the frame stays zero and its rows collapse onto the vertex.
constexpr int kMaxFrameNudges = 8;
constexpr float kFrameNudge = 0.1f;

enum class FrameRule {
  kSmoothStart,
  kSmoothTransport,
  kMitreStart,
  kMitreTransport,
  kFixedSmooth,
  kFixedMitre,
  kFixedBlend,
};

struct RuleTable {
  FrameRule cornerFirst, cornerLater, otherFirst, otherLater;
};

constexpr RuleTable kCarriedRules{FrameRule::kMitreStart, FrameRule::kMitreTransport,
                                  FrameRule::kSmoothStart, FrameRule::kSmoothTransport};
constexpr RuleTable kFixedRules{FrameRule::kFixedMitre, FrameRule::kFixedMitre,
                                FrameRule::kFixedSmooth, FrameRule::kFixedSmooth};
constexpr RuleTable kReferenceRules{FrameRule::kFixedMitre, FrameRule::kFixedMitre,
                                    FrameRule::kFixedBlend, FrameRule::kFixedBlend};

bool IsZero(Vector3 v) { return VectorsEqual(v, kZero); }

// Y across the path from the reference direction, or from the negated fallback where the path
// runs along the reference.
void ReferenceStart(Vector3 T, Vector3* X, Vector3* Y) {
  const Matrix4& reference = SweepReferenceMatrix;
  *Y = Normalize(VecCross(T, MatrixRow(reference, 2)));
  if (std::fabs(Y->x) < kReferenceFallbackLimit && std::fabs(Y->y) < kReferenceFallbackLimit &&
      std::fabs(Y->z) < kReferenceFallbackLimit) {
    *Y = Normalize(VecCross(T, NegateVector(MatrixRow(reference, 0))));
  }
  *X = VecCross(*Y, T);
}

// The previous frame's X carried over the incoming edge.
void Transport(Vector3 T, Vector3 dIn, Vector3 previousX, Vector3* X, Vector3* Y) {
  const float turn = VecDot(T, dIn);
  if (turn == 0.0f && (T.x != 0.0f || T.y != 0.0f || T.z != 0.0f)) {
    // The turn's sign is unknown where the next point projects onto the previous vertex's
    // cross-section (a 135-degree turn): scaling by it would shrink the section to a point, so
    // the previous axis is carried across unflipped.
    *X = Normalize(VecSub(previousX, VecScale(T, VecDot(previousX, T))));
    *Y = VecCross(T, *X);
    return;
  }
  *Y = VecCross(dIn, previousX);
  *X = VecCross(*Y, T);
  for (int nudge = 0; nudge < kMaxFrameNudges && IsZero(*X); ++nudge) {
    if (Y->x != 0.0f || Y->y != 0.0f) {
      Y->z += kFrameNudge;
    } else {
      Y->y += kFrameNudge;
    }
    *X = VecCross(*Y, T);
  }
  // Flips the frame where the path turns back.
  *X = Normalize(VecScale(*X, turn));
  *Y = VecCross(T, *X);
}

// Fills rows 0-2 of the frame of a vertex with incoming and outgoing directions dIn and dOut.
void FormFrame(FrameRule rule, Vector3 dIn, Vector3 dOut, Matrix4* frame) {
  const Vector3 unitIn = Normalize(dIn);
  const Vector3 unitOut = Normalize(dOut);
  float c = VecDot(unitIn, unitOut);
  if (c < kMinCosine) c = kMinCosine;

  const bool mitre = rule == FrameRule::kMitreStart || rule == FrameRule::kMitreTransport ||
                     rule == FrameRule::kFixedMitre || rule == FrameRule::kFixedBlend;
  const Vector3 T = mitre ? Normalize(VecAdd(unitIn, unitOut)) : Normalize(VecAdd(dIn, dOut));

  Vector3 X, Y;
  if (rule == FrameRule::kSmoothTransport || rule == FrameRule::kMitreTransport) {
    Transport(T, dIn, MatrixRow(*frame, 0), &X, &Y);
  } else {
    ReferenceStart(T, &X, &Y);
  }

  float scale = 1.0f;
  if (rule == FrameRule::kMitreStart || rule == FrameRule::kMitreTransport ||
      rule == FrameRule::kFixedMitre) {
    scale = std::sqrt(2.0f / (c + 1.0f));
  } else if (rule == FrameRule::kFixedBlend) {
    scale = 3.0f / (c + 2.0f);
  }

  SetMatrixRow(frame, 0, X);
  SetMatrixRow(frame, 1, VecScale(Y, scale));
  SetMatrixRow(frame, 2, T);
}

void PlaceSections(const RuleTable& rules, int count, int a, int closed, Vector3* grid,
                   const Vector3* path) {
  // Paths of no points have no placement.
  if (a < 1) return;

  // Coincident points merge into one vertex with a multiplicity.
  std::vector<Vector3> unique{path[0]};
  std::vector<int> multiplicity{1};
  for (int i = 1; i < a; ++i) {
    if (VectorsEqual(path[i], unique.back())) {
      ++multiplicity.back();
    } else {
      unique.push_back(path[i]);
      multiplicity.push_back(1);
    }
  }
  // A closed path's repeated first point is dropped while another vertex remains; its rows are
  // filled from row 0 at the end.
  if (closed != 0 && unique.size() > 1 && VectorsEqual(path[a - 1], path[0])) {
    unique.pop_back();
    multiplicity.pop_back();
  }
  const int n = static_cast<int>(unique.size());

  // d[k] runs into vertex k and d[k + 1] out of it. Entries no rule sets (a lone vertex) stay
  // zero, and so does its frame.
  std::vector<Vector3> d(static_cast<std::size_t>(n) + 1);
  for (int k = 1; k < n; ++k) d[k] = VecSub(unique[k], unique[k - 1]);
  if (closed != 0) {
    d[0] = d[n] = VecSub(unique[0], unique[n - 1]);
  } else if (n > 1) {
    d[0] = d[1];
    d[n] = d[n - 1];
  }
  if (IsZero(d[0])) d[0] = d[n - 1];
  if (IsZero(d[n])) d[n] = d[1];

  const bool endCorner = closed != 0 && IsZero(VecSub(unique[0], unique[n - 1]));

  Matrix4 frame = kIdentityMatrix;
  int row = 0;
  for (int k = 0; k < n; ++k) {
    const bool corner = multiplicity[k] != 1 || (endCorner && (k == 0 || k == n - 1));
    const FrameRule rule = corner ? (k == 0 ? rules.cornerFirst : rules.cornerLater)
                                  : (k == 0 ? rules.otherFirst : rules.otherLater);
    FormFrame(rule, d[k], d[k + 1], &frame);
    SetMatrixRow(&frame, 3, unique[k]);
    for (int m = 0; m < multiplicity[k]; ++m, ++row) {
      Vector3* section = grid + static_cast<std::ptrdiff_t>(row) * count;
      for (int j = 0; j < count; ++j) TransformPointInPlace(&section[j], frame);
    }
  }
  for (; row < a; ++row) {
    for (int j = 0; j < count; ++j) {
      grid[static_cast<std::ptrdiff_t>(row) * count + j] = grid[j];
    }
  }
}

}  // namespace

void PlaceSectionsAlongPath(int count, int a, int closed, Vector3* grid, const Vector3* path) {
  PlaceSections(kCarriedRules, count, a, closed, grid, path);
}

void PlaceSectionsAlongPathB(int count, int a, int closed, Vector3* grid, const Vector3* path) {
  PlaceSections(kFixedRules, count, a, closed, grid, path);
}

void PlaceSectionsAlongPathWithReference(int count, int a, int closed, Vector3* grid,
                                         const Vector3* path) {
  PlaceSections(kReferenceRules, count, a, closed, grid, path);
}

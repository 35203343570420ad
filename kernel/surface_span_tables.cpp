#include "kernel/surface_span_tables.h"

#include <cstddef>

namespace {
constexpr int kCoefficientsPerPatch = 16;
}

void BuildSurfaceSpanTables(const Matrix4& A, const Matrix4& Bm, SurfaceSpanTables* outTables,
                            const Vector3* extendedGrid, int nu, int nv) {
  outTables->clear();
  if (nu < 4 || nv < 4) return;
  const int spansU = nu - 3, spansV = nv - 3;
  const auto P = [&](int row, int col) {
    return extendedGrid[static_cast<std::ptrdiff_t>(row) * nv + col];
  };
  outTables->assign(static_cast<std::size_t>(spansU),
                    std::vector<Vector3>(static_cast<std::size_t>(spansV) * kCoefficientsPerPatch));
  for (int a = 0; a < spansU; ++a) {
    for (int b = 0; b < spansV; ++b) {
      Vector3* patch = &(*outTables)[static_cast<std::size_t>(a)][static_cast<std::size_t>(b) * kCoefficientsPerPatch];
      for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 4; ++k) {
          Vector3 sum;
          for (int j = 0; j < 4; ++j) {
            for (int l = 0; l < 4; ++l) {
              sum = VecAdd(sum, VecScale(P(a + j, b + l), A.at(i, j) * Bm.at(k, l)));
            }
          }
          patch[4 * i + k] = VectorsEqual(sum, Vector3()) ? Vector3() : sum;
        }
      }
    }
  }
}

CubicWeights MakeCubicWeights(float t) {
  return {{1.0f, t, t * t, t * t * t}, {0.0f, 1.0f, 2.0f * t, 3.0f * t * t}};
}

Vector3 Blend4(const Vector3* v, int stride, const float w[4]) {
  Vector3 sum;
  for (int i = 0; i < 4; ++i) sum = VecAdd(sum, VecScale(v[i * stride], w[i]));
  return sum;
}

void BlendPatchRows(const Vector3* patch, const float w[4], Vector3 out[4]) {
  for (int k = 0; k < 4; ++k) out[k] = Blend4(patch + k, 4, w);
}

PatchSample EvaluatePatch(const Vector3* patch, float u, float v) {
  const CubicWeights wu = MakeCubicWeights(u), wv = MakeCubicWeights(v);
  Vector3 along[4], alongSlope[4];
  BlendPatchRows(patch, wu.value, along);
  BlendPatchRows(patch, wu.slope, alongSlope);
  return {Blend4(along, 1, wv.value), Blend4(alongSlope, 1, wv.value), Blend4(along, 1, wv.slope)};
}

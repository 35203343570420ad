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
  const auto P = [&](int row, int col) -> const Vector3& {
    return extendedGrid[static_cast<std::ptrdiff_t>(row) * nv + col];
  };
  outTables->assign(static_cast<std::size_t>(spansU),
                    std::vector<Vector3>(static_cast<std::size_t>(spansV) * kCoefficientsPerPatch));
  for (int a = 0; a < spansU; ++a) {
    for (int b = 0; b < spansV; ++b) {
      Vector3* patch = &(*outTables)[static_cast<std::size_t>(a)]
                                    [static_cast<std::size_t>(b) * kCoefficientsPerPatch];
      for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 4; ++k) {
          // One running sum over all sixteen terms, written out because this loop dominates
          // the cost of a shaded frame.
          float x = 0.0f, y = 0.0f, z = 0.0f;
          for (int j = 0; j < 4; ++j) {
            for (int l = 0; l < 4; ++l) {
              const float w = A.at(i, j) * Bm.at(k, l);
              const Vector3& p = P(a + j, b + l);
              x += p.x * w;
              y += p.y * w;
              z += p.z * w;
            }
          }
          const Vector3 sum{x, y, z};
          patch[4 * i + k] = VectorsEqual(sum, Vector3()) ? Vector3() : sum;
        }
      }
    }
  }
}

CubicWeights MakeCubicWeights(float t) {
  return {{1.0f, t, t * t, t * t * t}, {0.0f, 1.0f, 2.0f * t, 3.0f * t * t}};
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

#include "exchange/stl_facet.h"

#include <cmath>

namespace {

Vector3 RoundPoint(Vector3 v) {
  return {RoundToExportGrid(v.x), RoundToExportGrid(v.y), RoundToExportGrid(v.z)};
}

// The object writers drop anything shorter than 1e-8; the tests are in float, on rounded values.
bool TooShort(Vector3 v) { return VecDot(v, v) < 1e-16f; }

// A NaN or an infinity passes every length test, and no reader takes it.
bool FacetIsFinite(const StlFacet& facet) {
  return IsFiniteVector(facet.normal) && IsFiniteVector(facet.v1) && IsFiniteVector(facet.v2) &&
         IsFiniteVector(facet.v3);
}

}  // namespace

// Computed in double from the float, then stored as float. The binary files' bytes depend on this
// choice, so it is made once, here.
float RoundToExportGrid(float x) {
  return static_cast<float>(std::floor(static_cast<double>(x) * 10000.0 + 0.5) * 0.0001);
}

bool MakeExportFacet(Vector3 v1, Vector3 v2, Vector3 v3, const Matrix4& placement, StlFacet* out) {
  out->v1 = RoundPoint(TransformPoint(v1, placement));
  out->v2 = RoundPoint(TransformPoint(v2, placement));
  out->v3 = RoundPoint(TransformPoint(v3, placement));
  const Vector3 e1 = VecSub(out->v2, out->v1);
  if (TooShort(e1)) return false;
  const Vector3 e2 = VecSub(out->v3, out->v1);
  if (TooShort(e2)) return false;
  const Vector3 normal = VecCross(e1, e2);
  if (TooShort(normal)) return false;
  // Normalize leaves a normal up to 1e-10 long as it is: such a facet keeps its short normal.
  out->normal = Normalize(normal);
  return FacetIsFinite(*out);
}

bool MakeMeshFacet(Vector3 v1, Vector3 v2, Vector3 v3, StlFacet* out) {
  constexpr Vector3 kZero;
  const Vector3 e1 = VecSub(v2, v1);
  const Vector3 e2 = VecSub(v3, v1);
  const Vector3 normal = VecCross(e1, e2);
  if (VectorsEqual(e1, kZero) || VectorsEqual(e2, kZero) || VectorsEqual(normal, kZero)) return false;
  *out = {Normalize(normal), v1, v2, v3};
  return FacetIsFinite(*out);
}

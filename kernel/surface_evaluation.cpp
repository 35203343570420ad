#include "kernel/surface_evaluation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <optional>

namespace {

struct PatchParameter {
  int index;
  float local;
};

// The patch of one direction and the local parameter in it. Wrapping takes the floored remainder
// of the parameter and of its whole part, exact for any size and equal to adding or subtracting
// spans one turn at a time; the index is made an int only once it is known to be in range, since
// huge or non-finite parameters come from files and tools alike.
std::optional<PatchParameter> LocateInDirection(double param, int spans, int wrap) {
  if (spans < 1) return std::nullopt;
  if (!std::isfinite(param)) param = 0.0;
  double whole = std::floor(param);
  if (wrap != 0 && (whole < 0.0 || whole >= spans)) {
    const auto wrapped = [spans](double x) {
      const double r = std::fmod(x, spans);
      return r < 0.0 ? r + spans : r;
    };
    whole = wrapped(whole);
    param = wrapped(param);
  }
  // Without wrap the parameter keeps its value and extrapolates the end patch.
  const int index = whole < 0.0 ? 0 : whole >= spans ? spans - 1 : static_cast<int>(whole);
  const double local =
      std::clamp(param - index, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX));
  return PatchParameter{index, static_cast<float>(local)};
}

std::optional<PatchSample> SampleSurface(const SurfaceSpanTables& tables, int spansU, int spansV,
                                         double u, double v, int wrapU, int wrapV) {
  const std::optional<PatchParameter> pu = LocateInDirection(u, spansU, wrapU);
  const std::optional<PatchParameter> pv = LocateInDirection(v, spansV, wrapV);
  if (!pu || !pv) return std::nullopt;
  // Spans the tables do not hold are as good as none.
  const auto row = static_cast<std::size_t>(pu->index);
  if (static_cast<std::size_t>(spansU) > tables.size() ||
      tables[row].size() < static_cast<std::size_t>(spansV) * 16) {
    return std::nullopt;
  }
  return EvaluatePatch(&tables[row][static_cast<std::size_t>(pv->index) * 16], pu->local,
                       pv->local);
}

void SetRow(Matrix4* m, int row, Vector3 v) {
  m->at(row, 0) = v.x;
  m->at(row, 1) = v.y;
  m->at(row, 2) = v.z;
}

}  // namespace

void SurfaceOffsetPoint(Vector3* out, const SurfaceSpanTables& tables, int spansU, int spansV,
                        double u, double v, float distance, int wrapU, int wrapV) {
  const std::optional<PatchSample> s = SampleSurface(tables, spansU, spansV, u, v, wrapU, wrapV);
  if (!s) {
    *out = Vector3();
    return;
  }
  const Vector3 normal = Normalize(VecCross(s->tangentU, s->tangentV));
  *out = VecAdd(s->point, VecScale(normal, distance));
}

void SurfaceFrameAt(Matrix4* outMatrix, const SurfaceSpanTables& tables, int spansU, int spansV,
                    double u, double v, int alignToV, int wrapU, int wrapV) {
  *outMatrix = kIdentityMatrix;
  const std::optional<PatchSample> s = SampleSurface(tables, spansU, spansV, u, v, wrapU, wrapV);
  if (!s) return;
  const Vector3 normal = Normalize(VecCross(s->tangentU, s->tangentV));
  SetRow(outMatrix, 3, s->point);
  SetRow(outMatrix, 2, normal);
  if (alignToV != 0) {
    const Vector3 alongV = Normalize(s->tangentV);
    SetRow(outMatrix, 1, alongV);
    SetRow(outMatrix, 0, VecCross(alongV, normal));
  } else {
    const Vector3 alongU = Normalize(s->tangentU);
    SetRow(outMatrix, 0, alongU);
    SetRow(outMatrix, 1, VecCross(normal, alongU));
  }
}

#include "kernel/surface_tessellation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "kernel/bspline_curve.h"
#include "kernel/surface_span_tables.h"

namespace {

struct GridOutputs {
  std::vector<Vector3>* points;
  std::vector<Vector3>* tangentU;
  std::vector<Vector3>* tangentV;
  int* rows;
  int* cols;
  bool tangents;
};

// Sizes the outputs for rows x cols; rows = cols = 0 gives the empty result.
void SizeOutputs(const GridOutputs& out, std::int64_t rows, std::int64_t cols) {
  const auto count = static_cast<std::size_t>(rows * cols);
  out.points->assign(count, Vector3());
  if (out.tangents) {
    out.tangentU->assign(count, Vector3());
    out.tangentV->assign(count, Vector3());
  }
  *out.rows = static_cast<int>(rows);
  *out.cols = static_cast<int>(cols);
}

// Where output line i of count falls: its span and the local parameter in it. The last line is the
// end of the last span rather than the start of one past it.
struct Knot {
  int span;
  CubicWeights weights;
};

Knot KnotAt(std::int64_t i, std::int64_t count, int steps, int spans) {
  if (i == count - 1) return {spans - 1, MakeCubicWeights(1.0f)};
  const auto span = static_cast<int>(i / steps);
  const double local = static_cast<double>(i) / steps - span;
  return {span, MakeCubicWeights(static_cast<float>(local))};
}

void TessellateAnalytic(const Matrix4& B, const Vector3* grid, int nu, int nv, int stepsU,
                        int stepsV, const GridOutputs& out) {
  const int spansU = nu - 3, spansV = nv - 3;
  const std::int64_t rows = std::int64_t{stepsU} * spansU + 1;
  const std::int64_t cols = std::int64_t{stepsV} * spansV + 1;
  if (!FitsTessellationCap(rows, cols)) {
    SizeOutputs(out, 0, 0);
    return;
  }
  SizeOutputs(out, rows, cols);

  SurfaceSpanTables tables;
  BuildSurfaceSpanTables(B, B, &tables, grid, nu, nv);
  std::vector<Knot> colKnots;
  colKnots.reserve(static_cast<std::size_t>(cols));
  for (std::int64_t c = 0; c < cols; ++c) colKnots.push_back(KnotAt(c, cols, stepsV, spansV));

  // Per output row, each V span's coefficients are blended with the row's u once; a point then
  // costs one blend with its column's v.
  std::vector<Vector3> along(static_cast<std::size_t>(spansV) * 4);
  std::vector<Vector3> alongSlope(along.size());
  std::size_t index = 0;
  for (std::int64_t r = 0; r < rows; ++r) {
    const Knot ku = KnotAt(r, rows, stepsU, spansU);
    const std::vector<Vector3>& table = tables[static_cast<std::size_t>(ku.span)];
    for (int b = 0; b < spansV; ++b) {
      const Vector3* patch = &table[static_cast<std::size_t>(b) * 16];
      BlendPatchRows(patch, ku.weights.value, &along[static_cast<std::size_t>(b) * 4]);
      if (out.tangents)
        BlendPatchRows(patch, ku.weights.slope, &alongSlope[static_cast<std::size_t>(b) * 4]);
    }
    for (const Knot& kv : colKnots) {
      const std::size_t base = static_cast<std::size_t>(kv.span) * 4;
      (*out.points)[index] = Blend4(&along[base], 1, kv.weights.value);
      if (out.tangents) {
        (*out.tangentU)[index] = Blend4(&alongSlope[base], 1, kv.weights.value);
        (*out.tangentV)[index] = Blend4(&along[base], 1, kv.weights.slope);
      }
      ++index;
    }
  }
}

// The tangent at output line k of count along one direction, from the work-grid lines around it
// (work line k + 1 holds output line k). A smoothed direction has no work lines beyond its curve
// points, so its first and last lines take one-sided differences over two steps, per step rather
// than per span.
template <class WorkLine>
Vector3 LineTangent(const WorkLine& work, std::int64_t k, std::int64_t count, int steps,
                    bool smoothed) {
  if (smoothed && k == 0) return VecScale(VecSub(work(3), work(1)), 0.5f);
  if (smoothed && k == count - 1) return VecScale(VecSub(work(count), work(count - 2)), 0.5f);
  return VecScale(VecScale(VecSub(work(k + 2), work(k)), 0.5f), static_cast<float>(steps));
}

void TessellateRefined(const Vector3* grid, int nu, int nv, int stepsU, int stepsV,
                       const GridOutputs& out) {
  const int su = std::max(stepsU, 1), sv = std::max(stepsV, 1);
  const std::int64_t rows = std::int64_t{su} * (nu - 3) + 1;
  const std::int64_t cols = std::int64_t{sv} * (nv - 3) + 1;
  const std::int64_t workRows = rows + 2, workCols = cols + 2;
  if (!FitsTessellationCap(workRows, workCols)) {
    SizeOutputs(out, 0, 0);
    return;
  }

  // Work grid: the extended grid with one direction (at most) replaced by its curve points,
  // stored from work line 1; the lines beyond the curve points stay zero.
  std::vector<Vector3> work(static_cast<std::size_t>(workRows * workCols));
  const auto W = [&](std::int64_t r, std::int64_t c) -> Vector3& {
    return work[static_cast<std::size_t>(r * workCols + c)];
  };
  if (su == 1 && sv == 1) {
    std::copy(grid, grid + static_cast<std::ptrdiff_t>(nu) * nv, work.begin());
  } else if (su == 1) {
    for (int i = 0; i < nu; ++i) {
      const std::vector<Vector3> curve =
          EvaluateCurvePoints(grid + static_cast<std::ptrdiff_t>(i) * nv, nv, sv);
      std::copy(curve.begin(), curve.end(), &W(i, 1));
    }
  } else {
    std::vector<Vector3> column(static_cast<std::size_t>(nu));
    for (int j = 0; j < nv; ++j) {
      for (int i = 0; i < nu; ++i)
        column[static_cast<std::size_t>(i)] = grid[static_cast<std::ptrdiff_t>(i) * nv + j];
      const std::vector<Vector3> curve = EvaluateCurvePoints(column.data(), nu, su);
      for (std::size_t k = 0; k < curve.size(); ++k)
        W(static_cast<std::int64_t>(k) + 1, j) = curve[k];
    }
  }

  SizeOutputs(out, rows, cols);
  std::size_t index = 0;
  for (std::int64_t r = 0; r < rows; ++r) {
    for (std::int64_t c = 0; c < cols; ++c) {
      (*out.points)[index] = W(r + 1, c + 1);
      if (out.tangents) {
        (*out.tangentU)[index] =
            LineTangent([&](std::int64_t w) { return W(w, c + 1); }, r, rows, su, su > 1);
        (*out.tangentV)[index] =
            LineTangent([&](std::int64_t w) { return W(r + 1, w); }, c, cols, sv, sv > 1);
      }
      ++index;
    }
  }
}

}  // namespace

void ExtendSurfaceNet(const Vector3* grid, int rows, int cols, int startU, int endU, int closedU,
                      int startV, int endV, int closedV, std::vector<Vector3>* outGrid,
                      int* outRows, int* outCols) {
  outGrid->clear();
  *outRows = 0;
  *outCols = 0;
  // Both phantom lines and the closed wrap need a second line to work from.
  if (rows < 2 || cols < 2) return;

  std::vector<Vector3> alongV;
  int extendedCols = 0;
  for (int r = 0; r < rows; ++r) {
    const std::vector<Vector3> row =
        ExtendCurveEnds(cols, grid + static_cast<std::ptrdiff_t>(r) * cols, startV, endV, closedV);
    extendedCols = static_cast<int>(row.size());
    alongV.insert(alongV.end(), row.begin(), row.end());
  }

  int extendedRows = 0;
  for (int c = 0; c < extendedCols; ++c) {
    const std::vector<Vector3> column =
        ExtendCurveEnds(rows, alongV.data() + c, startU, endU, closedU, extendedCols);
    if (c == 0) {
      extendedRows = static_cast<int>(column.size());
      outGrid->resize(static_cast<std::size_t>(extendedRows) *
                      static_cast<std::size_t>(extendedCols));
    }
    for (int r = 0; r < extendedRows; ++r) {
      (*outGrid)[static_cast<std::size_t>(r) * static_cast<std::size_t>(extendedCols) +
                 static_cast<std::size_t>(c)] = column[static_cast<std::size_t>(r)];
    }
  }
  *outRows = extendedRows;
  *outCols = extendedCols;
}

void TessellateSurface(const Matrix4& B, const Vector3* extendedGrid, int nu, int nv,
                       std::vector<Vector3>* outPoints, std::vector<Vector3>* outTangentU,
                       std::vector<Vector3>* outTangentV, int* outRows, int* outCols, int stepsU,
                       int stepsV, int wantTangents) {
  if (nu < 4 || nv < 4) return;
  const GridOutputs out{outPoints, outTangentU, outTangentV, outRows, outCols, wantTangents != 0};
  if (stepsU >= 1 && stepsV >= 1) {
    TessellateAnalytic(B, extendedGrid, nu, nv, stepsU, stepsV, out);
  } else {
    TessellateRefined(extendedGrid, nu, nv, stepsU, stepsV, out);
  }
}

bool IsDegenerateTangent(Vector3 v) {
  return std::fabs(v.x) < 0.0001f && std::fabs(v.y) < 0.0001f && std::fabs(v.z) < 0.0001f;
}

void SubstituteDegenerateTangents(Vector3* tangentsU, Vector3* tangentsV, int rows, int cols) {
  const auto at = [cols](int row, int column) { return static_cast<std::size_t>(row) * cols + column; };
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < cols; ++j) {
      if (IsDegenerateTangent(tangentsU[at(i, j)])) {
        tangentsU[at(i, j)] = tangentsU[at(i, j == 0 ? 1 : j - 1)];
      } else if (IsDegenerateTangent(tangentsV[at(i, j)])) {
        tangentsV[at(i, j)] = tangentsV[at(i == 0 ? 1 : i - 1, j)];
      }
    }
  }
}

#include "kernel/surface_tessellation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "kernel/bspline_curve.h"
#include "kernel/surface_span_tables.h"

namespace {

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

// The bicubic patches evaluated at every 1/steps of a span, one output row at a time. Per output
// row, each V span's coefficients are blended with the row's u once; a point then costs one blend
// with its column's v.
class AnalyticRows {
 public:
  AnalyticRows(const Matrix4& B, const Vector3* grid, int nu, int nv, int stepsU, int stepsV)
      : rows(std::int64_t{stepsU} * (nu - 3) + 1),
        cols(std::int64_t{stepsV} * (nv - 3) + 1),
        fits(FitsTessellationCap(rows, cols)),
        stepsU_(stepsU),
        spansU_(nu - 3),
        spansV_(nv - 3) {
    if (!fits) return;
    BuildSurfaceSpanTables(B, B, &tables_, grid, nu, nv);
    colKnots_.reserve(static_cast<std::size_t>(cols));
    for (std::int64_t c = 0; c < cols; ++c) colKnots_.push_back(KnotAt(c, cols, stepsV, spansV_));
    along_.resize(static_cast<std::size_t>(spansV_) * 4);
    alongSlope_.resize(along_.size());
  }

  // Row r's cols points and, when tangentU is not null, its U and V tangents.
  void Row(std::int64_t r, Vector3* points, Vector3* tangentU, Vector3* tangentV) {
    const Knot ku = KnotAt(r, rows, stepsU_, spansU_);
    const std::vector<Vector3>& table = tables_[static_cast<std::size_t>(ku.span)];
    for (int b = 0; b < spansV_; ++b) {
      const Vector3* patch = &table[static_cast<std::size_t>(b) * 16];
      BlendPatchRows(patch, ku.weights.value, &along_[static_cast<std::size_t>(b) * 4]);
      if (tangentU != nullptr)
        BlendPatchRows(patch, ku.weights.slope, &alongSlope_[static_cast<std::size_t>(b) * 4]);
    }
    std::size_t index = 0;
    for (const Knot& kv : colKnots_) {
      const std::size_t base = static_cast<std::size_t>(kv.span) * 4;
      points[index] = Blend4(&along_[base], 1, kv.weights.value);
      if (tangentU != nullptr) {
        tangentU[index] = Blend4(&alongSlope_[base], 1, kv.weights.value);
        tangentV[index] = Blend4(&along_[base], 1, kv.weights.slope);
      }
      ++index;
    }
  }

  const std::int64_t rows;
  const std::int64_t cols;
  const bool fits;

 private:
  int stepsU_, spansU_, spansV_;
  SurfaceSpanTables tables_;
  std::vector<Knot> colKnots_;
  std::vector<Vector3> along_;
  std::vector<Vector3> alongSlope_;
};

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

// The control net refined where a step count is below 1, one output row at a time: a work grid
// holds the extended grid with one direction (at most) replaced by its curve points, stored from
// work line 1; the lines beyond the curve points stay zero.
class RefinedRows {
 public:
  RefinedRows(const Vector3* grid, int nu, int nv, int stepsU, int stepsV)
      : rows(std::int64_t{std::max(stepsU, 1)} * (nu - 3) + 1),
        cols(std::int64_t{std::max(stepsV, 1)} * (nv - 3) + 1),
        fits(FitsTessellationCap(rows + 2, cols + 2)),
        su_(std::max(stepsU, 1)),
        sv_(std::max(stepsV, 1)),
        workCols_(cols + 2) {
    if (!fits) return;
    work_.resize(static_cast<std::size_t>((rows + 2) * workCols_));
    if (su_ == 1 && sv_ == 1) {
      std::copy(grid, grid + static_cast<std::ptrdiff_t>(nu) * nv, work_.begin());
    } else if (su_ == 1) {
      for (int i = 0; i < nu; ++i) {
        const std::vector<Vector3> curve =
            EvaluateCurvePoints(grid + static_cast<std::ptrdiff_t>(i) * nv, nv, sv_);
        std::copy(curve.begin(), curve.end(), &W(i, 1));
      }
    } else {
      std::vector<Vector3> column(static_cast<std::size_t>(nu));
      for (int j = 0; j < nv; ++j) {
        for (int i = 0; i < nu; ++i)
          column[static_cast<std::size_t>(i)] = grid[static_cast<std::ptrdiff_t>(i) * nv + j];
        const std::vector<Vector3> curve = EvaluateCurvePoints(column.data(), nu, su_);
        for (std::size_t k = 0; k < curve.size(); ++k)
          W(static_cast<std::int64_t>(k) + 1, j) = curve[k];
      }
    }
  }

  // Row r's cols points and, when tangentU is not null, its U and V tangents.
  void Row(std::int64_t r, Vector3* points, Vector3* tangentU, Vector3* tangentV) {
    for (std::int64_t c = 0; c < cols; ++c) {
      points[c] = W(r + 1, c + 1);
      if (tangentU != nullptr) {
        tangentU[c] =
            LineTangent([&](std::int64_t w) { return W(w, c + 1); }, r, rows, su_, su_ > 1);
        tangentV[c] =
            LineTangent([&](std::int64_t w) { return W(r + 1, w); }, c, cols, sv_, sv_ > 1);
      }
    }
  }

  const std::int64_t rows;
  const std::int64_t cols;
  const bool fits;

 private:
  Vector3& W(std::int64_t r, std::int64_t c) {
    return work_[static_cast<std::size_t>(r * workCols_ + c)];
  }

  int su_, sv_;
  std::int64_t workCols_;
  std::vector<Vector3> work_;
};

// Every row into whole-grid outputs; a grid beyond the cap gives the empty result (0 x 0).
template <class Rows>
void FillGrid(Rows&& grid, std::vector<Vector3>* points, std::vector<Vector3>* tangentU,
              std::vector<Vector3>* tangentV, int* outRows, int* outCols) {
  const std::int64_t rows = grid.fits ? grid.rows : 0, cols = grid.fits ? grid.cols : 0;
  const auto count = static_cast<std::size_t>(rows * cols);
  points->assign(count, Vector3());
  if (tangentU != nullptr) {
    tangentU->assign(count, Vector3());
    tangentV->assign(count, Vector3());
  }
  *outRows = static_cast<int>(rows);
  *outCols = static_cast<int>(cols);
  for (std::int64_t r = 0; r < rows; ++r) {
    const auto at = static_cast<std::size_t>(r * cols);
    grid.Row(r, &(*points)[at], tangentU != nullptr ? &(*tangentU)[at] : nullptr,
             tangentU != nullptr ? &(*tangentV)[at] : nullptr);
  }
}

// Every row's points and unit normals, the tangents kept a row at a time: row r's degenerate
// tangents are replaced from row r itself, from row r - 1 as already replaced, and for row 0 from
// row 1 as tessellated, exactly as SubstituteDegenerateTangents replaces them in a whole grid.
template <class Rows>
void FillNormals(Rows&& grid, int orientationSign, std::vector<Vector3>* points,
                 std::vector<Vector3>* normals, int* outRows, int* outCols) {
  const std::int64_t rows = grid.fits ? grid.rows : 0, cols = grid.fits ? grid.cols : 0;
  const auto count = static_cast<std::size_t>(rows * cols);
  points->assign(count, Vector3());
  normals->resize(count);
  *outRows = static_cast<int>(rows);
  *outCols = static_cast<int>(cols);
  if (rows < 2 || cols < 2) return;
  const auto width = static_cast<std::size_t>(cols);
  std::vector<Vector3> scratch(width), tangentsU(width), tangentsV(width), previousV(width);
  // Row 1's V tangents as tessellated stand in for row 0's degenerate ones.
  grid.Row(1, scratch.data(), tangentsU.data(), previousV.data());
  for (std::int64_t r = 0; r < rows; ++r) {
    const auto at = static_cast<std::size_t>(r) * width;
    grid.Row(r, &(*points)[at], tangentsU.data(), tangentsV.data());
    for (std::size_t j = 0; j < width; ++j) {
      if (IsDegenerateTangent(tangentsU[j])) {
        // Column 1's as tessellated for column 0, the previous column's as replaced after it.
        tangentsU[j] = tangentsU[j == 0 ? 1 : j - 1];
      } else if (IsDegenerateTangent(tangentsV[j])) {
        tangentsV[j] = previousV[j];
      }
      const Vector3 a = tangentsU[j];
      const Vector3 b = tangentsV[j];
      (*normals)[at + j] = Normalize(orientationSign >= 1 ? VecCross(a, b) : VecCross(b, a));
    }
    previousV.swap(tangentsV);
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
  std::vector<Vector3>* tangentU = wantTangents != 0 ? outTangentU : nullptr;
  if (stepsU >= 1 && stepsV >= 1) {
    FillGrid(AnalyticRows(B, extendedGrid, nu, nv, stepsU, stepsV), outPoints, tangentU,
             outTangentV, outRows, outCols);
  } else {
    FillGrid(RefinedRows(extendedGrid, nu, nv, stepsU, stepsV), outPoints, tangentU, outTangentV,
             outRows, outCols);
  }
}

void TessellateSurfaceNormals(const Matrix4& B, const Vector3* extendedGrid, int nu, int nv,
                              int stepsU, int stepsV, int orientationSign,
                              std::vector<Vector3>* outPoints, std::vector<Vector3>* outNormals,
                              int* outRows, int* outCols) {
  if (nu < 4 || nv < 4) return;
  if (stepsU >= 1 && stepsV >= 1) {
    FillNormals(AnalyticRows(B, extendedGrid, nu, nv, stepsU, stepsV), orientationSign, outPoints,
                outNormals, outRows, outCols);
  } else {
    FillNormals(RefinedRows(extendedGrid, nu, nv, stepsU, stepsV), orientationSign, outPoints,
                outNormals, outRows, outCols);
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

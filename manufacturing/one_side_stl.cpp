#include "manufacturing/one_side_stl.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "exchange/visible_bounds.h"
#include "kernel/matrix4.h"
#include "manufacturing/grid_counts.h"
#include "manufacturing/height_grid_mesh.h"
#include "manufacturing/slice_contours.h"
#include "render/render_row_scan.h"
#include "render/render_state.h"
#include "render/render_tree.h"
#include "services/progress.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kOneSideProgressString = 33200;
constexpr float kNoTop = -1e8f;
constexpr float kNoBottom = 1e8f;
constexpr float kThinPair = 0.001f;
constexpr double kTwoPi = 6.283185307179586;

struct SamplingGrid {
  Matrix4 projection;
  int columns = 0;
  int rows = 0;
};

enum class Sampled { kDone, kRefused, kCancelled, kNoMemory };

// The projection puts grid lines on whole multiples of the steps from the origin. Counts are
// taken in double; false when a count is below 1 or not one the engine can scan.
bool MakeSamplingGrid(float xmin, float ymin, float zmin, float xmax, float ymax, float zmax, float sx, float sy,
                      float sz, SamplingGrid* grid) {
  if (!GridStepUsable(sx) || !GridStepUsable(sy) || !GridStepUsable(sz)) return false;
  const double columns = GridCount(double(xmax) - xmin, sx);
  const double rows = GridCount(double(ymax) - ymin, sy);
  const double depths = GridCount(double(zmax) - zmin, sz);
  if (columns < 1 || rows < 1 || depths < 1) return false;
  Matrix4 m = kIdentityMatrix;
  m[0] = 1.0f / sx;
  m[5] = 1.0f / sy;
  m[10] = 1.0f / sz;
  m[12] = std::ceil(-std::min(xmin, xmax) / sx);
  m[13] = std::ceil(-std::min(ymin, ymax) / sy);
  m[14] = std::ceil(-std::min(zmin, zmax) / sz);
  grid->projection = m;
  grid->columns = static_cast<int>(columns);
  grid->rows = static_cast<int>(rows);
  return true;
}

std::unique_ptr<float[]> AllocateGrid(double cells, float top, float bottom) {
  if (cells > kMostHeightGridCells) return nullptr;
  const auto half = static_cast<std::size_t>(cells);
  std::unique_ptr<float[]> grid(new (std::nothrow) float[2 * half]);
  if (grid) {
    std::fill_n(grid.get(), half, top);
    std::fill_n(grid.get() + half, half, bottom);
  }
  return grid;
}

void ShowNoMemory() { ShowMessageBox(GetLocalizedString(kNotEnoughMemoryMessage)); }

// The top is the opening depth of the first pair that is not thin; the bottom the deepest crossing
// from there down, which fills any air gap below it.
void ReduceColumn(const CrossingEntry* list, float* top, float* bottom) {
  const CrossingEntry* e = list;
  while (e != nullptr && e->next != nullptr && e->depth - e->next->depth < kThinPair) e = e->next->next;
  if (e == nullptr || e->next == nullptr) return;
  *top = std::max(e->depth, *top);
  for (; e != nullptr; e = e->next) *bottom = std::min(e->depth, *bottom);
}

// The angle of (x, z) in bins, from +z towards +x.
float BinAngle(float x, float z, float binsPerRadian, int bins) {
  float angle = binsPerRadian * std::atan2(x, z);
  if (angle < 0) angle += static_cast<float>(bins);
  return angle;
}

// Whether the axis lies inside the rings, by the even-odd rule along the ray of +x.
bool AxisInside(const SliceContour* contours) {
  bool inside = false;
  for (const SliceContour* contour = contours; contour != nullptr; contour = contour->next) {
    for (const ContourPoint* p = contour->first; p != nullptr; p = p->next) {
      const ContourPoint* q = p->next != nullptr ? p->next : contour->first;
      if ((p->depth > 0) == (q->depth > 0)) continue;
      const double x = p->column + (0.0 - p->depth) * (double(q->column) - p->column) / (double(q->depth) - p->depth);
      if (x > 0) inside = !inside;
    }
  }
  return inside;
}

}  // namespace

void FillRadialExtents(const SliceContour* contours, float* buffer, const float* cosTable, const float* sinTable,
                       float binsPerRadian, int bins) {
  float* most = buffer;
  float* least = buffer + bins;
  std::fill_n(most, bins, 0.0f);
  std::fill_n(least, bins, 1e8f);
  const int h = bins / 2;
  const auto touch = [&](int k, float r) {
    most[k] = std::max(most[k], r);
    if (r > 0 && r < least[k]) least[k] = r;
  };
  for (const SliceContour* contour = contours; contour != nullptr; contour = contour->next) {
    const ContourPoint* first = contour->first;
    if (first == nullptr) continue;
    const auto onAxis = [](const ContourPoint* p) { return p->column * p->column + p->depth * p->depth < 0.0001f; };
    const float firstAngle = onAxis(first) ? 0.0f : BinAngle(first->column, first->depth, binsPerRadian, bins);
    const ContourPoint* p = first;
    float u = firstAngle;
    do {
      const ContourPoint* q = p->next != nullptr ? p->next : first;
      // The closing edge ends at the first point with the angle it was given.
      const float t = q == first ? firstAngle : onAxis(q) ? u : BinAngle(q->column, q->depth, binsPerRadian, bins);
      int c = 0;
      int d = 0;
      bool spans = true;
      if (t > u) {
        if (std::floor(t) < std::ceil(u)) {
          spans = false;
        } else if (t - u > static_cast<float>(h)) {
          c = static_cast<int>(std::floor(u));
          d = static_cast<int>(std::ceil(t));
        } else {
          c = static_cast<int>(std::ceil(u));
          d = static_cast<int>(std::floor(t));
        }
      } else if (std::floor(u) < std::ceil(t)) {
        spans = false;
      } else if (u - t > static_cast<float>(h)) {
        c = static_cast<int>(std::ceil(u));
        d = static_cast<int>(std::floor(t));
      } else {
        c = static_cast<int>(std::floor(u));
        d = static_cast<int>(std::ceil(t));
      }
      if (spans) {
        c %= bins;
        d %= bins;
        const float ex = q->column - p->column;
        const float ez = q->depth - p->depth;
        const float lengthSquared = ex * ex + ez * ez;
        if (lengthSquared < 0.0001f) {
          touch(c, std::sqrt(p->column * p->column + p->depth * p->depth));
        } else {
          const float length = std::sqrt(lengthSquared);
          const float e = -ez / length;
          const float f = ex / length;
          const float distance = e * p->column + f * p->depth;
          if (std::fabs(distance) >= 0.0001f) {
            const bool backwards = (c >= d && c - d < h) || (c < d && d - c > h);
            const int step = backwards ? bins - 1 : 1;
            const int end = (d + step) % bins;
            for (int k = c; k != end; k = (k + step) % bins) {
              const float j = f * cosTable[k] + e * sinTable[k];
              touch(k, std::fabs(j) < 0.0001f ? 0.0f : distance / j);
            }
          }
        }
      }
      u = t;
      p = q;
    } while (p != first);
  }
  // A ray from inside the solid crosses its outline once: the solid runs in to the axis.
  if (AxisInside(contours)) std::fill_n(least, bins, 0.0f);
}

bool SampleTopBottomGrid(float xmin, float ymin, float zmin, float xmax, float ymax, float zmax, float sx, float sy,
                         float sz, const std::string& path, int format) {
  ShadingMode = 2;
  SamplingGrid grid;
  if (!MakeSamplingGrid(xmin, ymin, zmin, xmax, ymax, zmax, sx, sy, sz, &grid)) return false;
  // One column and one row beyond the counts: the grid may start up to a step outside the widened
  // bounds, and the extra lines, empty, close the walls at the far side.
  const int columns = grid.columns + 1;
  const int rows = grid.rows + 1;
  const double cells = double(columns) * rows;
  CProgress progress;
  Sampled sampled = Sampled::kDone;
  std::unique_ptr<float[]> heights;
  try {
    RenderTreeGuard tree(BuildRenderTree(grid.projection, 0));
    SetRenderColumnWindow(0, columns - 1);
    heights = AllocateGrid(cells, kNoTop, kNoBottom);
    if (!heights) throw std::bad_alloc();
    progress.OpenWithStringId(rows, kOneSideProgressString, 1);
    float* tops = heights.get();
    float* bottoms = tops + static_cast<std::size_t>(cells);
    for (int row = 0; row < rows && sampled == Sampled::kDone; ++row) {
      const std::size_t base = static_cast<std::size_t>(row) * static_cast<std::size_t>(columns);
      ScanRenderRow(tree.get(), row, columns, [&](int column, CrossingEntry* list) {
        ReduceColumn(list, tops + base + column, bottoms + base + column);
        ReleaseCrossingList(list);
      });
      if (progress.StepIt() == 1) sampled = Sampled::kCancelled;
    }
  } catch (const std::bad_alloc&) {
    sampled = Sampled::kNoMemory;
  }
  if (sampled == Sampled::kNoMemory) {
    progress.Close();
    ShowNoMemory();
    return false;
  }
  if (sampled != Sampled::kDone) return false;
  return WriteHeightGridMesh(path, columns, rows, heights.get(), MatInverse(grid.projection, 4), format);
}

bool SampleRadiusGrid(float xmin, float ymin, float zmin, float xmax, float ymax, float zmax, float sx, float sy,
                      float sz, float angularResolution, const std::string& path, int format) {
  ShadingMode = 2;
  SamplingGrid grid;
  if (!MakeSamplingGrid(xmin, ymin, zmin, xmax, ymax, zmax, sx, sy, sz, &grid)) return false;
  if (!std::isfinite(angularResolution) || angularResolution <= 0) return false;
  const double binCount = std::ceil(360.0 / angularResolution);
  if (binCount < 1 || binCount * grid.rows > kMostHeightGridCells) {
    ShowNoMemory();
    return false;
  }
  const int bins = static_cast<int>(binCount);
  const float depthShift = -grid.projection[14];
  const float columnShift = -grid.projection[12];
  const float anglePerBin = static_cast<float>(kTwoPi / bins);
  const float binsPerRadian = static_cast<float>(bins / kTwoPi);
  CProgress progress;
  Sampled sampled = Sampled::kDone;
  std::unique_ptr<float[]> radii;
  try {
    std::unique_ptr<float[]> tables(new (std::nothrow) float[4 * static_cast<std::size_t>(bins)]);
    radii = AllocateGrid(double(bins) * grid.rows, -1e8f, 1e8f);
    if (!tables || !radii) throw std::bad_alloc();
    float* cosTable = tables.get();
    float* sinTable = cosTable + bins;
    float* work = sinTable + bins;
    for (int k = 0; k < bins; ++k) {
      cosTable[k] = static_cast<float>(std::cos(k * (kTwoPi / bins)));
      sinTable[k] = static_cast<float>(std::sin(k * (kTwoPi / bins)));
    }
    SetRenderColumnWindow(0, grid.columns - 1);
    RenderTreeGuard tree(BuildRenderTree(grid.projection, 0));
    progress.OpenWithStringId(grid.rows, kOneSideProgressString, 1);
    const std::size_t cells = static_cast<std::size_t>(bins) * static_cast<std::size_t>(grid.rows);
    for (int row = 0; row < grid.rows && sampled == Sampled::kDone; ++row) {
      CRenderNode* root = tree.get();
      const bool active = root != nullptr && row >= root->firstRow;
      if (active) root->AdvanceToScanline(row);
      SliceContour* contours = TraceLayerContours(grid.columns, [&](int column) -> CrossingEntry* {
        return active && column >= root->firstColumn ? root->GetSpans(column) : nullptr;
      });
      for (SliceContour* c = contours; c != nullptr; c = c->next) {
        for (ContourPoint* p = c->first; p != nullptr; p = p->next) {
          p->depth += depthShift;
          p->column += columnShift;
        }
      }
      FillRadialExtents(contours, work, cosTable, sinTable, binsPerRadian, bins);
      ReleaseSliceContours(contours);
      const std::size_t base = static_cast<std::size_t>(row) * static_cast<std::size_t>(bins);
      std::copy_n(work, bins, radii.get() + base);
      std::copy_n(work + bins, bins, radii.get() + cells + base);
      if (progress.StepIt() == 1) sampled = Sampled::kCancelled;
    }
  } catch (const std::bad_alloc&) {
    sampled = Sampled::kNoMemory;
  }
  FreeSliceContourPools();
  if (sampled == Sampled::kNoMemory) {
    progress.Close();
    ShowNoMemory();
    return false;
  }
  if (sampled != Sampled::kDone) return false;
  Matrix4 inverse = MatInverse(grid.projection, 4);
  inverse[14] = 0.0f;
  return WriteHeightGridMeshB(path, bins, grid.rows, radii.get(), inverse, anglePerBin, format);
}

void WriteNcSlices3Axis(const std::string& path, float xResolution, float yResolution, int format) {
  Vector3 min;
  Vector3 max;
  if (GetVisibleBounds(&min, &max) == 0) return;
  SampleTopBottomGrid(min.x - xResolution, min.y - yResolution, min.z, max.x + xResolution, max.y + yResolution,
                      max.z, xResolution, yResolution, yResolution, path, format);
}

void WriteNcSlicesRotary(const std::string& path, float yResolution, float angularResolution, int format) {
  Vector3 min;
  Vector3 max;
  if (GetVisibleBounds(&min, &max) == 0) return;
  const float a = yResolution;
  SampleRadiusGrid(min.x - a, min.y - a, min.z, max.x + a, max.y + 2 * a, max.z, 0.1f * a, a, 0.1f * a,
                   angularResolution, path, format);
}

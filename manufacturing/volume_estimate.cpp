#include "manufacturing/volume_estimate.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string>

#include "exchange/visible_bounds.h"
#include "kernel/boolean_object.h"
#include "kernel/matrix4.h"
#include "manufacturing/grid_counts.h"
#include "render/render_node.h"
#include "render/render_row_scan.h"
#include "render/render_state.h"
#include "render/render_state_scope.h"
#include "render/render_tree.h"
#include "services/progress.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

enum class ScanEnd { kDone, kCancelled, kRefused, kNoMemory };

// Sets FirstChildBoundsOnly for the bounds walk, and back to 0 on every path out.
class FirstChildBoundsScope {
 public:
  FirstChildBoundsScope() { FirstChildBoundsOnly = 1; }
  ~FirstChildBoundsScope() { FirstChildBoundsOnly = 0; }
  FirstChildBoundsScope(const FirstChildBoundsScope&) = delete;
  FirstChildBoundsScope& operator=(const FirstChildBoundsScope&) = delete;
};

int GetEstimateBounds(Vector3* min, Vector3* max) {
  FirstChildBoundsScope scope;
  return GetVisibleBounds(min, max);
}

// What one scan of the grid gathers, in grid units: the inside length of every ray and its
// moments about the grid's axes.
struct GridSums {
  ScanEnd end = ScanEnd::kDone;
  double length = 0;
  double column = 0;
  double row = 0;
  double depth = 0;
  Matrix4 projection;
};

// Casts the design on the grid and sums every ray's inside length with opening depth a and
// closing depth b, in grid units, row by row. rayPrimitives scans with primitives that hand on
// only what a ray reads, and false is returned, the sums unfinished, where the order of ties
// would decide a crossing list (the full primitives then give the answer).
bool ScanGrid(int columnCount, int rowCount, const std::string& title, bool rayPrimitives, GridSums* sums) {
  CProgress progress;
  progress.Open(rowCount, title, 1);
  bool orderDecides = false;
  try {
    std::optional<RayPrimitivesScope> ray;
    if (rayPrimitives) ray.emplace(&orderDecides);
    SetRenderColumnWindow(0, columnCount - 1);
    RenderTreeGuard tree(BuildRenderTree(sums->projection, 0));
    ray.reset();
    for (int row = 0; row < rowCount; ++row) {
      ScanRenderRow(tree.get(), row, columnCount, [&](int column, CrossingEntry* list) {
        for (const CrossingEntry* e = list; e != nullptr && e->next != nullptr; e = e->next->next) {
          const double a = e->depth;
          const double b = std::max(e->next->depth, 0.0f);
          const double length = a - b;
          sums->length += length;
          sums->column += length * column;
          sums->row += length * row;
          sums->depth += length * (a + b) * 0.5;
        }
        ReleaseCrossingList(list);
      });
      if (orderDecides) return false;
      if (progress.StepIt() == 1) {
        sums->end = ScanEnd::kCancelled;
        return true;
      }
    }
  } catch (const std::bad_alloc&) {
    progress.Close();
    ShowMessageBox(GetLocalizedString(kNotEnoughMemoryMessage));
    sums->end = ScanEnd::kNoMemory;
  }
  return true;
}

GridSums EstimateSums(Vector3 min, Vector3 max, float rx, float ry, float rz, const std::string& title) {
  GridSums sums;
  if (!GridStepUsable(rx) || !GridStepUsable(ry) || !GridStepUsable(rz)) {
    sums.end = ScanEnd::kRefused;
    return sums;
  }
  const double columns = GridCount(double(max.x) - min.x, rx);
  const double rows = GridCount(double(max.y) - min.y, ry);
  if (columns < 0 || rows < 0 || GridCount(double(max.z) - min.z, rz) < 0) {
    sums.end = ScanEnd::kRefused;
    return sums;
  }
  RenderStateScope saved;
  ShadingMode = 2;
  Matrix4 m = kIdentityMatrix;
  m[0] = 1.0f / rx;
  m[5] = 1.0f / ry;
  m[10] = 1.0f / rz;
  m[12] = -min.x / rx;
  m[13] = -min.y / ry;
  m[14] = -min.z / rz;
  sums.projection = m;
  const int columnCount = static_cast<int>(columns);
  const int rowCount = static_cast<int>(rows);
  if (!ScanGrid(columnCount, rowCount, title, true, &sums)) {
    sums = GridSums();
    sums.projection = m;
    ScanGrid(columnCount, rowCount, title, false, &sums);
  }
  return sums;
}

// The volume of the sums; -1 unless the scan was done.
float SumsVolume(const GridSums& sums, float rx, float ry, float rz) {
  // A double sum: in float, a thin part scanned after a tall one adds less than half a step and
  // vanishes.
  if (sums.end != ScanEnd::kDone) return -1.0f;
  return static_cast<float>(sums.length * rx * ry * rz);
}

// The centre of the sums; a cancel keeps the rows scanned so far.
Vector3 SumsCentre(const GridSums& sums) {
  if (sums.end == ScanEnd::kRefused || sums.end == ScanEnd::kNoMemory || sums.length == 0) return {0.0f, 0.0f, 0.0f};
  const Vector3 grid{static_cast<float>(sums.column / sums.length), static_cast<float>(sums.row / sums.length),
                     static_cast<float>(sums.depth / sums.length)};
  return TransformPoint(grid, MatInverse(sums.projection));
}

std::string VolumeTitle(int weightFlag) {
  return std::string("Estimating ") + (weightFlag != 0 ? "Weight" : "Volume") + "...";
}

}  // namespace

float ComputeVolume(float resolution, int weightFlag) {
  Vector3 min;
  Vector3 max;
  if (GetEstimateBounds(&min, &max) == 0) return -1.0f;
  return EstimateVolume(min, max, resolution, resolution, resolution, weightFlag);
}

Vector3 ComputeCentreOfGravity(float resolution) {
  Vector3 min;
  Vector3 max;
  if (GetEstimateBounds(&min, &max) == 0) return {0.0f, 0.0f, 0.0f};
  return EstimateCentreOfGravity(min, max, resolution, resolution, resolution);
}

VolumeAndCentre ComputeVolumeAndCentre(float resolution) {
  Vector3 min;
  Vector3 max;
  if (GetEstimateBounds(&min, &max) == 0) return {-1.0f, {0.0f, 0.0f, 0.0f}};
  const GridSums sums = EstimateSums(min, max, resolution, resolution, resolution, VolumeTitle(0));
  return {SumsVolume(sums, resolution, resolution, resolution), SumsCentre(sums)};
}

float EstimateVolume(Vector3 min, Vector3 max, float rx, float ry, float rz, int weightFlag) {
  return SumsVolume(EstimateSums(min, max, rx, ry, rz, VolumeTitle(weightFlag)), rx, ry, rz);
}

Vector3 EstimateCentreOfGravity(Vector3 min, Vector3 max, float rx, float ry, float rz) {
  return SumsCentre(EstimateSums(min, max, rx, ry, rz, "Estimating Center of Gravity..."));
}

#include "manufacturing/volume_estimate.h"

#include <algorithm>
#include <new>
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

// Casts the design on the grid and hands every ray's inside length to visit(j, i, a, b) with
// opening depth a and closing depth b, in grid units. The grid projection is left in *projection.
template <class Visit>
ScanEnd ScanEstimateGrid(Vector3 min, Vector3 max, float rx, float ry, float rz, const std::string& title,
                         Matrix4* projection, Visit visit) {
  if (!GridStepUsable(rx) || !GridStepUsable(ry) || !GridStepUsable(rz)) return ScanEnd::kRefused;
  const double columns = GridCount(double(max.x) - min.x, rx);
  const double rows = GridCount(double(max.y) - min.y, ry);
  if (columns < 0 || rows < 0 || GridCount(double(max.z) - min.z, rz) < 0) return ScanEnd::kRefused;
  RenderStateScope saved;
  ShadingMode = 2;
  Matrix4 m = kIdentityMatrix;
  m[0] = 1.0f / rx;
  m[5] = 1.0f / ry;
  m[10] = 1.0f / rz;
  m[12] = -min.x / rx;
  m[13] = -min.y / ry;
  m[14] = -min.z / rz;
  *projection = m;
  const int columnCount = static_cast<int>(columns);
  const int rowCount = static_cast<int>(rows);
  CProgress progress;
  progress.Open(rowCount, title, 1);
  try {
    SetRenderColumnWindow(0, columnCount - 1);
    RenderTreeGuard tree(BuildRenderTree(m, 0));
    for (int row = 0; row < rowCount; ++row) {
      ScanRenderRow(tree.get(), row, columnCount, [&](int column, CrossingEntry* list) {
        for (const CrossingEntry* e = list; e != nullptr && e->next != nullptr; e = e->next->next) {
          visit(column, row, double(e->depth), double(std::max(e->next->depth, 0.0f)));
        }
        ReleaseCrossingList(list);
      });
      if (progress.StepIt() == 1) return ScanEnd::kCancelled;
    }
  } catch (const std::bad_alloc&) {
    progress.Close();
    ShowMessageBox(GetLocalizedString(kNotEnoughMemoryMessage));
    return ScanEnd::kNoMemory;
  }
  return ScanEnd::kDone;
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

float EstimateVolume(Vector3 min, Vector3 max, float rx, float ry, float rz, int weightFlag) {
  // A double sum: in float, a thin part scanned after a tall one adds less than half a step and
  // vanishes.
  double sum = 0;
  Matrix4 projection;
  const ScanEnd end = ScanEstimateGrid(min, max, rx, ry, rz,
                                       std::string("Estimating ") + (weightFlag != 0 ? "Weight" : "Volume") + "...",
                                       &projection, [&](int, int, double a, double b) { sum += a - b; });
  if (end != ScanEnd::kDone) return -1.0f;
  return static_cast<float>(sum * rx * ry * rz);
}

Vector3 EstimateCentreOfGravity(Vector3 min, Vector3 max, float rx, float ry, float rz) {
  double sx = 0;
  double sy = 0;
  double sz = 0;
  double total = 0;
  Matrix4 projection;
  const ScanEnd end = ScanEstimateGrid(min, max, rx, ry, rz, "Estimating Center of Gravity...", &projection,
                                       [&](int column, int row, double a, double b) {
                                         const double length = a - b;
                                         sx += length * column;
                                         sy += length * row;
                                         sz += length * (a + b) * 0.5;
                                         total += length;
                                       });
  // A cancel keeps the rows scanned so far.
  if (end == ScanEnd::kRefused || end == ScanEnd::kNoMemory || total == 0) return {0.0f, 0.0f, 0.0f};
  const Vector3 grid{static_cast<float>(sx / total), static_cast<float>(sy / total), static_cast<float>(sz / total)};
  return TransformPoint(grid, MatInverse(projection));
}

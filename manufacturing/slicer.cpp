#include "manufacturing/slicer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <string>

#include "exchange/little_endian.h"
#include "exchange/number_format.h"
#include "exchange/output_file.h"
#include "exchange/visible_bounds.h"
#include "kernel/matrix4.h"
#include "manufacturing/grid_counts.h"
#include "manufacturing/slc_to_mesh.h"
#include "manufacturing/slice_contours.h"
#include "platform/program_folder.h"
#include "render/render_node.h"
#include "render/render_state.h"
#include "render/render_state_scope.h"
#include "render/render_tree.h"
#include "services/progress.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr std::uint32_t kTerminatorCount = 0xFFFFFFFF;

// Where the slicing runs: the turned model's bounds, the grid and the output steps.
struct SliceGrid {
  Matrix4 projection;
  int depthSteps;
  int columns;
  int layers;
  float xOffset;
  float yOffset;
  int layerOffset;
  // With from-zero on, layers count from the first with contours; otherwise every row counts, so
  // that a layer's z is the height where it was cut.
  bool countFromFirstContour;
  float rayStep;
  float columnStep;
  float thickness;
};

// The header text; the extents xmin, xmax, ymin, ymax, zmin, zmax.
std::string HeaderText(int unit, const float extents[6]) {
  std::string text = "-SLCVER 2.0 -UNIT ";
  text += unit == 1 ? "INCH" : "MM";
  text += " -TYPE PART -PACKAGE Lumidrex 4.0 -EXTENTS ";
  for (int i = 0; i < 6; ++i) {
    char number[kFormattedNumberRoom];
    text.append(number, FormatFixed10_3(number, extents[i]));
    text += i < 5 ? ',' : ' ';
  }
  text += "\r\n\x1A";
  return text;
}

// Writes the layers of one file and remembers what its finish needs.
class SliceFileWriter {
 public:
  SliceFileWriter(OutputFile& out, const SliceGrid& grid)
      : out_(out), grid_(grid), layerCounted_(!grid.countFromFirstContour) {}

  void WriteFloat(float value) {
    unsigned char bytes[4];
    PutFloat(bytes, value);
    out_.Write(bytes, 4);
  }
  void WriteU32(std::uint32_t value) {
    unsigned char bytes[4];
    PutU32(bytes, value);
    out_.Write(bytes, 4);
  }

  void WriteSliceLayer(const SliceContour* contours) {
    std::uint32_t count = 0;
    for (const SliceContour* c = contours; c != nullptr; c = c->next) ++count;
    if (layerCounted_ || count > 0) {
      ++layerCount_;
      layerCounted_ = true;
    }
    if (count == 0) return;
    // Counted layers without contours between two written ones leave one empty record.
    if (written_ && lastWritten_ + 1 < layerCount_) {
      WriteFloat(LayerZ(lastWritten_));
      WriteU32(0);
    }
    WriteFloat(LayerZ(layerCount_ - 1));
    WriteU32(count);
    for (const SliceContour* c = contours; c != nullptr; c = c->next) {
      WriteU32(static_cast<std::uint32_t>(c->pointCount) + 1);
      WriteU32(0);
      for (const ContourPoint* p = c->first; p != nullptr; p = p->next) WritePoint(*p);
      WritePoint(*c->first);
    }
    lastWritten_ = layerCount_;
    written_ = true;
  }

  void WriteTerminator() {
    WriteFloat(LayerZ(lastWritten_));
    WriteU32(kTerminatorCount);
  }

  // The extents of the points written, widened by a step: xmin, xmax, ymin, ymax.
  void FoundExtents(float extents[4]) const {
    extents[0] = xMin_ - grid_.rayStep;
    extents[1] = xMax_ + grid_.rayStep;
    extents[2] = yMin_ - grid_.columnStep;
    extents[3] = yMax_ + grid_.columnStep;
  }

 private:
  float LayerZ(std::int64_t count) const {
    return static_cast<float>(count + grid_.layerOffset) * grid_.thickness;
  }

  void WritePoint(const ContourPoint& p) {
    const float x = (grid_.xOffset + p.depth) * grid_.rayStep;
    const float y = (grid_.yOffset + p.column) * grid_.columnStep;
    WriteFloat(x);
    WriteFloat(y);
    xMin_ = std::min(xMin_, x);
    xMax_ = std::max(xMax_, x);
    yMin_ = std::min(yMin_, y);
    yMax_ = std::max(yMax_, y);
  }

  OutputFile& out_;
  const SliceGrid& grid_;
  float xMin_ = 1e32f;
  float xMax_ = -1e32f;
  float yMin_ = 1e32f;
  float yMax_ = -1e32f;
  std::int64_t layerCount_ = 0;
  std::int64_t lastWritten_ = 0;
  bool layerCounted_;
  bool written_ = false;
};

// The turn that makes the slicing axis the model's z, and the bounds turned with it.
Matrix4 DirectionTurn(int direction, Vector3* min, Vector3* max) {
  Matrix4 turn = kIdentityMatrix;
  const Vector3 lo = *min;
  const Vector3 hi = *max;
  if (direction == 1) {
    // (x, y, z) -> (z, y, -x)
    turn = {{0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1}};
    *min = {lo.z, lo.y, -hi.x};
    *max = {hi.z, hi.y, -lo.x};
  } else if (direction == 2) {
    // (x, y, z) -> (x, z, -y)
    turn = {{1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1}};
    *min = {lo.x, lo.z, -hi.y};
    *max = {hi.x, hi.z, -lo.y};
  }
  return turn;
}

// False when the job is refused: a step too small or not finite, or counts beyond the engine.
bool SetUpGrid(float thickness, float resolution, float mx, float my, float mz, float modelScale,
               float outputScale, int fixedOrigin, int fromZero, int direction, SliceGrid* grid) {
  const double r = double(resolution) * modelScale;
  const double p = double(thickness) * modelScale;
  if (!GridStepUsable(thickness) || !GridStepUsable(resolution) || !GridStepUsable(r) || !GridStepUsable(p)) {
    return false;
  }
  Vector3 min;
  Vector3 max;
  if (GetVisibleBounds(&min, &max) == 0) return false;
  const Matrix4 turn = DirectionTurn(direction, &min, &max);
  const double depthSteps = GridCount(double(mx) * (double(max.x) - min.x), r);
  const double columns = GridCount(double(my) * (double(max.y) - min.y), r);
  const double layers = GridCount(double(mz) * (double(max.z) - min.z), p);
  const double bottom = double(mz) * min.z / p;
  if (depthSteps < 0 || columns < 0 || layers < 0 || !(std::fabs(bottom) <= kMostGridSteps)) return false;
  const double o = std::trunc(-bottom);
  const double k = double(outputScale) / modelScale;
  grid->depthSteps = static_cast<int>(depthSteps);
  grid->columns = static_cast<int>(columns);
  grid->layers = static_cast<int>(layers);
  grid->xOffset = fixedOrigin != 0 ? 2000.0f : static_cast<float>(mx * min.x / r);
  grid->yOffset = fixedOrigin != 0 ? 2000.0f : static_cast<float>(my * min.y / r);
  grid->layerOffset = fromZero != 0 ? 0 : static_cast<int>(-o);
  grid->countFromFirstContour = fromZero != 0;
  grid->rayStep = static_cast<float>(r * k);
  grid->columnStep = static_cast<float>(r * k);
  grid->thickness = static_cast<float>(p * k);
  // Model x to the engine's depth, y to its columns, z to its rows.
  Matrix4 m;
  m.m[15] = 1;
  m[2] = static_cast<float>(mx / r);
  m[4] = static_cast<float>(my / r);
  m[9] = static_cast<float>(mz / p);
  m[12] = static_cast<float>(-my * min.y / r);
  m[13] = static_cast<float>(o);
  m[14] = static_cast<float>(-mx * min.x / r);
  grid->projection = MatMultiply(turn, m);
  return true;
}

// Traces and writes the rows; -1 after a cancel.
int SliceRows(CRenderNode* tree, const SliceGrid& grid, SliceFileWriter& writer) {
  // Rows 0 to layers inclusive: a model whose bottom is off a layer plane has its top layer in
  // the last row, and an empty last row changes nothing. Columns likewise: the model's far side
  // lies on the last one when its width is a whole number of steps.
  const int rows = grid.layers + 1;
  const int columns = grid.columns + 1;
  CProgress progress;
  progress.Open(rows, "Cutting into slices...", 1);
  SetRenderColumnWindow(0, columns - 1);
  for (int row = 0; row < rows; ++row) {
    const bool active = tree != nullptr && row >= tree->firstRow;
    if (active) tree->AdvanceToScanline(row);
    SliceContour* contours = TraceLayerContours(columns, [&](int column) -> CrossingEntry* {
      return active && column >= tree->firstColumn ? tree->GetSpans(column) : nullptr;
    });
    writer.WriteSliceLayer(contours);
    ReleaseSliceContours(contours);
    if (progress.StepIt() == 1) return -1;
  }
  return 0;
}

// The pools of the contours go with every slicing.
class SliceContourPoolsScope {
 public:
  SliceContourPoolsScope() = default;
  ~SliceContourPoolsScope() { FreeSliceContourPools(); }
  SliceContourPoolsScope(const SliceContourPoolsScope&) = delete;
  SliceContourPoolsScope& operator=(const SliceContourPoolsScope&) = delete;
};

}  // namespace

int WriteSlicesFile(const std::string& path, int unit, float thickness, float resolution, float multiplierX,
                    float multiplierY, float multiplierZ, float modelScale, float outputScale, int fixedOrigin,
                    int fromZero, int direction) {
  if (unit != 0 && unit != 1) return -1;
  RenderStateScope saved;
  ShadingMode = 2;
  // A section face lying on a column is part of the layer, on its far side as on its near side.
  ClosedColumnsFlag = 1;
  SliceGrid grid{};
  if (!SetUpGrid(thickness, resolution, multiplierX, multiplierY, multiplierZ, modelScale, outputScale,
                 fixedOrigin, fromZero, direction, &grid)) {
    return -1;
  }
  OutputFile out;
  if (!out.Open(path)) return -1;
  const float first[6] = {grid.xOffset * grid.rayStep,
                          (grid.xOffset + static_cast<float>(grid.depthSteps)) * grid.rayStep,
                          grid.yOffset * grid.columnStep,
                          (grid.yOffset + static_cast<float>(grid.columns)) * grid.columnStep,
                          static_cast<float>(grid.layerOffset) * grid.thickness,
                          static_cast<float>(grid.layerOffset + grid.layers) * grid.thickness};
  const std::string firstHeader = HeaderText(unit, first);
  out.Write(firstHeader);
  out.Write(std::string(256, ' '));
  SliceFileWriter writer(out, grid);
  const unsigned char entries = 1;
  out.Write(&entries, 1);
  for (const float value : {0.0f, grid.thickness, 0.0f, 0.0f}) writer.WriteFloat(value);
  int result = 0;
  try {
    SliceContourPoolsScope pools;
    RenderTreeGuard tree(BuildRenderTree(grid.projection, 0));
    result = SliceRows(tree.get(), grid, writer);
  } catch (const std::bad_alloc&) {
    out.Discard();
    ShowMessageBox(GetLocalizedString(kNotEnoughMemoryMessage));
    return -1;
  }
  writer.WriteTerminator();
  // The final header replaces the first only at the same length: a longer one would overwrite
  // the reserved block, a shorter one leave the old tail. The first header bounds the model too.
  float found[6] = {0, 0, 0, 0, first[4], first[5]};
  writer.FoundExtents(found);
  const std::string finalHeader = HeaderText(unit, found);
  if (finalHeader.size() == firstHeader.size()) out.WriteAt(0, finalHeader.data(), finalHeader.size());
  if (!out.Commit()) return -1;
  return result;
}

bool ExportSlicesForRp(const std::string& meshPath, float thickness, float resolution) {
  const std::string& folder = GetExchangeFolder();
  if (folder.empty()) return false;
  const std::string slices = folder + "lumidrex.slc";
  if (WriteSlicesFile(slices, 0, thickness, resolution, 1, 1, 1, 1, 1, 0, 0, 0) != 0) return false;
  return ConvertSlcToMesh(slices, meshPath, 1, 1, 0);
}

#include "manufacturing/nc_program.h"

#include <cmath>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "exchange/output_file.h"
#include "manufacturing/nc_passes.h"
#include "manufacturing/nc_posts.h"
#include "manufacturing/nc_tool_compensation.h"
#include "manufacturing/unit_conversion_dialog.h"
#include "render/render_node.h"
#include "render/render_records.h"
#include "render/render_row_scan.h"
#include "render/render_state.h"
#include "render/render_state_scope.h"
#include "render/render_tree.h"
#include "services/file_names.h"
#include "services/progress.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kGeneratingTitle = 10126;
// 1 GiB of floats (16384 x 16384 cells, 164 mm square at 0.01): Linux overcommits, so a larger
// grid could be granted and then fail page by page.
constexpr double kMaxGridCells = 268435456.0;
// Thinner pairs of crossings are slivers, not material.
constexpr float kMinThickness = 0.001f;

std::unique_ptr<CNcMachiningDlg>& Instance() {
  static std::unique_ptr<CNcMachiningDlg> dialog;
  return dialog;
}

NcBox& Box() {
  static NcBox box;
  return box;
}

void FloatField(DataExchange& dx, int id, float& value, float low, float high) {
  DDX_Text(dx, id, value);
  DDV_MinMaxFloat(dx, value, low, high);
}

// The number of grid points from a to b at step, the last point past b if it falls within half
// a step.
double GridPoints(float low, float high, float step) { return std::floor((double(high) - low) / step + 1.5); }

}  // namespace

void CNcMachiningDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kFileEdit, fileName);
  NcSettings& s = settings;
  float* const corners[6] = {&s.corner1.x, &s.corner1.y, &s.corner1.z, &s.corner2.x, &s.corner2.y, &s.corner2.z};
  for (int i = 0; i < 6; ++i) FloatField(dx, kCorner1Edits + i, *corners[i], -kMaxCorner, kMaxCorner);
  FloatField(dx, kXStepEdit, s.xStep, kMinStep, kMaxLength);
  FloatField(dx, kYStepEdit, s.yStep, kMinStep, kMaxLength);
  FloatField(dx, kAllowanceEdit, s.allowance, 0.0f, kMaxLength);
  FloatField(dx, kPitchEdit, s.roughingPitch, 0.0f, kMaxLength);
  FloatField(dx, kStepDownEdit, s.stepDown, kMinStep, kMaxLength);
  FloatField(dx, kDiameterEdit, s.toolDiameter, 0.0f, kMaxLength);
  FloatField(dx, kTipRadiusEdit, s.tipRadius, 0.0f, kMaxLength);
  FloatField(dx, kTipAngleEdit, s.tipAngle, TipFieldsEnabled() ? kMinConicalAngle : 0.0f, 180.0f);
  FloatField(dx, kOffsetEdit, s.offsetRadius, -kMaxOffset, kMaxOffset);
  FloatField(dx, kQuantumEdit, s.quantum, kMinStep, kMaxLength);
  FloatField(dx, kScaleEdit, s.scale, kMinStep, kMaxLength);
}

void CNcMachiningDlg::OnBrowse() {
  ReadBackQuietly();
  const std::optional<std::string> name = FileDialogPrompt(0, &filterIndex_, kFilter, {}, fileName);
  if (name) fileName = *name;
  WriteTexts();
  if (onChanged) onChanged();
}

void CNcMachiningDlg::OnUnits() {
  ReadBackQuietly();
  AskUnitConversion(&settings.scale);
  WriteTexts();
  if (onChanged) onChanged();
}

CNcMachiningDlg& NcMachiningDialog() {
  auto& dialog = Instance();
  if (!dialog) dialog = std::make_unique<CNcMachiningDlg>();
  return *dialog;
}

NcBox& NcBoxCorners() { return Box(); }

void ResetNcProgramState() {
  Instance().reset();
  Box() = NcBox();
}

bool SampleZGrid(float* grid, const Matrix4& transform, int columns, int rows) {
  RenderStateScope saved;
  ShadingMode = 2;
  // A wall or edge lying on a grid line belongs to the part: left out, a finishing move over the
  // line would go down past the part's edge. Closed columns take in those on a column.
  ClosedColumnsFlag = 1;
  SetRenderColumnWindow(0, columns - 1);
  CProgress progress;
  progress.OpenWithStringId(2 * rows, kGeneratingTitle, 1);
  // The engine covers a triangle's rows from its top to just before its bottom, so a second pass
  // samples the design turned over in y, the last row first: there each triangle covers the rows
  // just after its top through its bottom, and what lies on a row is sampled from both sides.
  Matrix4 turned = transform;
  for (const int k : {1, 5, 9, 13}) turned[k] = -turned[k];
  turned[13] += static_cast<float>(rows - 1);
  for (const int pass : {0, 1}) {
    RenderTreeGuard tree(BuildRenderTree(pass == 0 ? transform : turned, 0));
    for (int row = 0; row < rows; ++row) {
      float* const cells = grid + static_cast<std::size_t>(pass == 0 ? row : rows - 1 - row) * columns;
      ScanRenderRow(tree.get(), row, columns, [cells, pass](int column, CrossingEntry* list) {
        for (const CrossingEntry* e = list; e != nullptr && e->next != nullptr; e = e->next->next) {
          if (e->depth - e->next->depth > kMinThickness) {
            // The turned pass adds only what the first missed, not the rounding of its own
            // steps where both sample the same surface.
            if (pass == 0 || e->depth > cells[column] + kMinThickness) cells[column] = std::max(cells[column], e->depth);
            break;
          }
        }
        ReleaseCrossingList(list);
      });
      if (progress.StepIt() == 1) return false;
    }
  }
  return true;
}

NcResult NcGenerate(const NcSettings& s, CNcPost& post) {
  const Vector3 low(std::min(s.corner1.x, s.corner2.x), std::min(s.corner1.y, s.corner2.y),
                    std::min(s.corner1.z, s.corner2.z));
  const Vector3 high(std::max(s.corner1.x, s.corner2.x), std::max(s.corner1.y, s.corner2.y),
                     std::max(s.corner1.z, s.corner2.z));
  const double columns = GridPoints(low.x, high.x, s.xStep);
  const double rows = GridPoints(low.y, high.y, s.yStep);
  if (!(columns * rows <= kMaxGridCells)) return NcResult::kNoMemory;
  const bool negative = s.molding == 1;
  NcJob job;
  job.rows = static_cast<int>(rows);
  job.columns = static_cast<int>(columns);
  job.xStep = s.xStep;
  job.yStep = s.yStep;
  job.xOrigin = negative ? -high.x : low.x;
  job.yOrigin = low.y;
  job.zMin = low.z;
  job.zMax = high.z;
  job.allowance = s.allowance;
  job.stepDown = s.stepDown;
  job.quantum = s.quantum;
  job.toAndFro = s.toAndFro;
  job.roughing = s.passes != 2;
  job.fine = s.passes != 1;
  // A pitch finer than the grid mills every row.
  job.roughingRowStep = static_cast<int>(std::max(1.0, std::min(std::floor(double(s.roughingPitch) / s.yStep + 0.5), rows)));
  try {
    job.grid.assign(static_cast<std::size_t>(columns * rows), negative ? 0.0f : low.z - high.z);
    Matrix4 m = kIdentityMatrix;
    m[0] = (negative ? -s.scale : s.scale) / s.xStep;
    m[12] = (negative ? high.x : -low.x) / s.xStep;
    m[5] = s.scale / s.yStep;
    m[13] = -low.y / s.yStep;
    m[10] = s.scale;
    m[14] = negative ? -low.z : -high.z;
    if (!SampleZGrid(job.grid.data(), m, job.columns, job.rows)) return NcResult::kCancelled;
    if (negative) NcMakeNegative(job);
    NcToolCompensate(job, s.tool, s.toolDiameter / 2.0f, s.offsetRadius, s.tipRadius, s.tipAngle);
  } catch (const std::bad_alloc&) {
    return NcResult::kNoMemory;
  }
  job.post = &post;
  NcWritePasses(job, 0.0f);
  return NcResult::kWritten;
}

bool WriteNcProgram(const NcSettings& settings, const std::string& path) {
  OutputFile file;
  if (!file.Open(path)) {
    ShowFileMessage(kCannotWriteMessage, path);
    return false;
  }
  WaitCursor wait;
  const std::unique_ptr<CNcPost> post = MakeNcPost(settings.dialect, file, ScaleGivesInches(settings.scale));
  switch (NcGenerate(settings, *post)) {
    case NcResult::kCancelled:
      file.Discard();
      return false;
    case NcResult::kNoMemory:
      file.Discard();
      ShowMessageBox(GetLocalizedString(kNotEnoughMemoryMessage));
      return false;
    case NcResult::kWritten:
      break;
  }
  if (!file.Commit()) {
    ShowFileMessage(kCannotWriteMessage, path);
    return false;
  }
  return true;
}

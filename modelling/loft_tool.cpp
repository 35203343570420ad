#include "modelling/loft_tool.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "kernel/curve_object.h"
#include "modelling/surface_grid.h"
#include "scene/drawing_context.h"
#include "scene/object_picking.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kLoftPrompt = 10096;
constexpr int kMismatchMessage = 10097;
constexpr int kNoMemoryMessage = 10014;
constexpr int kCaptionString = 33600;
constexpr ColorRef kBlue = 0xff0000;
constexpr ColorRef kRed = 255;

void ResizeGrid(CSurfaceObject& surface, std::size_t count) {
  surface.points.resize(count);
  surface.marks.resize(count);
  surface.MarkChanged();
}

}  // namespace

CLoftToolDlg::CLoftToolDlg() { OpenWindow(); }

CLoftToolDlg::~CLoftToolDlg() {
  onChanged = nullptr;
  // Without an active viewport (the program's reset) the sections may be gone already.
  if (GetActiveView() == nullptr) return;
  RefreshAllViews(0);
  if (sections_.size() >= 2) {
    ApplyOrientationRule(*loft_);
    if (AddObject(loft_, 1) != nullptr) {
      for (const Section& section : sections_) RemoveSourceObject(section.object);
    }
  }
  sections_.clear();
  RedrawAllViews();
}

std::string CLoftToolDlg::Caption() const {
  char text[512];
  std::snprintf(text, sizeof text, "%s (%d)", GetLocalizedString(kCaptionString).c_str(), loft_->rows);
  return text;
}

bool CLoftToolDlg::Fit(CGeomObject* object, Section* section, int* width, int* closed) const {
  const bool first = sections_.empty();
  if (object->GetKind() == kKindCurve) {
    const auto& curve = static_cast<const CCurveObject&>(*object);
    section->rows = 1;
    if (first) {
      *width = curve.PointCount();
      *closed = curve.closed;
    }
    return curve.PointCount() == *width && *width > 0;
  }
  const auto& surface = static_cast<const CSurfaceObject&>(*object);
  // Closed across the rows only: its rows run along the loft's sections.
  const bool acrossRows = surface.closedU != 0 && surface.closedV == 0;
  if (first) {
    section->transposed = acrossRows ? 1 : 0;
    *width = acrossRows ? surface.rows : surface.columns;
    *closed = acrossRows ? surface.closedU : surface.closedV;
    section->rows = acrossRows ? surface.columns : surface.rows;
  } else if (surface.rows == *width && (surface.columns != *width || acrossRows)) {
    section->transposed = 1;
    section->rows = surface.columns;
  } else if (surface.columns == *width) {
    section->rows = surface.rows;
  } else {
    return false;
  }
  return section->rows > 0 && *width > 0;
}

void CLoftToolDlg::OnLButtonDown(int, int x, int y) {
  CGeomObject* object = PickObjectAt(x, y, kKindCurve, -1);
  if (object == nullptr) object = PickObjectAt(x, y, kKindSurface, -1);
  if (object == nullptr) return;
  Section section{object, 0};
  int width = width_;
  int closed = closed_;
  if (!Fit(object, &section, &width, &closed)) {
    ShowMessageBox(GetLocalizedString(kMismatchMessage));
    return;
  }
  const std::int64_t points = std::int64_t{loft_->rows + section.rows} * width;
  if (SectionCount() >= kMaxSections || points > kMaxPoints) {
    ShowMessageBox(GetLocalizedString(kNoMemoryMessage));
    return;
  }
  width_ = width;
  closed_ = closed;
  loft_->rows += section.rows;
  ResizeGrid(*loft_, static_cast<std::size_t>(points));
  sections_.push_back(section);
  RebuildLast();
  EnableFor();
}

void CLoftToolDlg::OnLButtonDblClk(int flags, int, int) {
  if ((flags & kMouseRightButton) != 0) TakeBack();
}

void CLoftToolDlg::TakeBack() {
  if (sections_.empty()) return;
  loft_->rows -= sections_.back().rows;
  sections_.pop_back();
  ResizeGrid(*loft_, static_cast<std::size_t>(loft_->rows) * static_cast<std::size_t>(width_));
  if (sections_.empty()) RedrawAllViews();
  RebuildLast();
  EnableFor();
}

void CLoftToolDlg::PressButton(int id) {
  ToolCallGuard guard(this);
  if (sections_.empty()) return;
  Section& last = sections_.back();
  if (id == kReverseSection) last.reverseSection ^= 1;
  if (id == kReverseSurface) last.reverseSurface ^= 1;
  if (id == kSwapUV) {
    SwapLast();
    return;
  }
  RebuildLast();
  EnableFor();
}

// A section may be read the other way round only when it keeps the loft's width: the first one
// (which sets the width) or a square one.
void CLoftToolDlg::SwapLast() {
  Section& last = sections_.back();
  if (SectionCount() != 1 && last.rows != width_) return;
  if (SectionCount() == 1) {
    if (last.object->GetKind() != kKindSurface) return;
    const auto& surface = static_cast<const CSurfaceObject&>(*last.object);
    last.rows = last.transposed != 0 ? surface.rows : surface.columns;
    width_ = last.transposed != 0 ? surface.columns : surface.rows;
    closed_ = last.transposed != 0 ? surface.closedV : surface.closedU;
    loft_->rows = last.rows;
  }
  last.transposed ^= 1;
  std::swap(last.reverseSection, last.reverseSurface);
  RebuildLast();
  EnableFor();
}

void CLoftToolDlg::RebuildLast() {
  ShowChanged();
  if (sections_.empty()) return;
  RefreshAllViews(0);
  loft_->columns = width_;
  loft_->closedV = closed_;
  const Section& last = sections_.back();
  const int d = last.rows;
  const int w = width_;
  const std::vector<Vector3>& source = static_cast<const CPointSetObject&>(*last.object).points;
  const std::size_t base = loft_->points.size() - static_cast<std::size_t>(d) * static_cast<std::size_t>(w);
  for (int l = 0; l < d; ++l) {
    const int m = last.reverseSurface != 0 ? d - 1 - l : l;
    for (int i = 0; i < w; ++i) {
      const int k = last.reverseSection != 0 ? w - 1 - i : i;
      const std::size_t from = last.transposed != 0 ? static_cast<std::size_t>(m) + static_cast<std::size_t>(k) * d
                                                     : static_cast<std::size_t>(m) * w + k;
      if (from < source.size()) loft_->points[base + static_cast<std::size_t>(l) * w + i] = source[from];
    }
  }
  loft_->MarkChanged();
  RefreshAllViews(0);
}

// Reverse Section always; Reverse Surface for a section of two rows or more; Swap UV also when
// it keeps the width: the only section, or as many rows as the width.
void CLoftToolDlg::EnableFor() {
  enabled_ = {};
  if (!sections_.empty()) {
    const Section& last = sections_.back();
    const bool rows = last.rows >= 2;
    enabled_ = {true, rows, rows && (SectionCount() == 1 || last.rows == width_)};
  }
  ShowChanged();
}

void CLoftToolDlg::ShowChanged() {
  if (onChanged) onChanged();
}

void CLoftToolDlg::DrawFeedback(int) {
  if (sections_.empty()) return;
  const ColorRef previous = SetDrawColor(kBlue);
  loft_->Draw(0);
  SetDrawColor(kRed);
  sections_.back().object->Draw(0);
  SetDrawColor(previous);
}

void OnLoftSurface() {
  if (GetActiveView() == nullptr) return;
  auto* loft = new CLoftToolDlg();
  ShowToolPrompt(loft, GetLocalizedString(kLoftPrompt));
  RefreshAllViews(1);
}

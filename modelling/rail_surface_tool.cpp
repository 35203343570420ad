#include "modelling/rail_surface_tool.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "kernel/curve_object.h"
#include "modelling/curve_tool.h"
#include "modelling/pipe_surface.h"
#include "modelling/surface_grid.h"
#include "scene/drawing_context.h"
#include "scene/object_picking.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

CRailSurfaceDlg RailSurfaceDialog;

namespace {

constexpr int kRed = 255;
constexpr ColorRef kBlue = 0xff0000;
constexpr int kRailMismatchMessage = 10102;
constexpr int kSectionMismatchMessage = 10103;

enum Prompt {
  kPickRail = 10099,
  kPickTopRail = 10100,
  kPickLeftRail = 10101,
  kPickFirstSection = 10104,
  kPickSecondSection = 10105,
  kPickSection = 10106,
  kPickOnRail = 10107,
  kPickOnTopRail = 10108,
  kPickOnLeftRail = 10109,
  kPickSectionAt = 10110,
  kPickBottomRail = 10111,
  kPickRightRail = 10112,
};

// The next rail of several by the number picked, the picture's column (right, left) and whether
// its row is 2 (the section hanging from the top rail).
int NextRailPrompt(int picked, int column, int row) {
  static constexpr int kTable[4][2][2] = {
      // column 1: {row 0-1, row 2}; column 0: {row 0-1, row 2}
      {{kPickTopRail, kPickTopRail}, {kPickLeftRail, kPickLeftRail}},
      {{kPickBottomRail, kPickBottomRail}, {kPickRightRail, kPickRightRail}},
      {{kPickRightRail, kPickLeftRail}, {kPickTopRail, kPickBottomRail}},
      {{kPickLeftRail, kPickRightRail}, {kPickBottomRail, kPickTopRail}},
  };
  return kTable[picked][column == 1 ? 0 : 1][row == 2 ? 1 : 0];
}

std::string Formatted(const char* format, int stringId, int number) {
  char text[512];
  std::snprintf(text, sizeof text, format, GetLocalizedString(stringId).c_str(), number);
  return text;
}

}  // namespace

int CRailSurfaceDlg::CoupleExtentPicture(int railType, int sectionType, int picture) {
  int p = picture;
  if (railType <= 1) {
    if (p != 4 && p != 10) p = 4;
  } else if (railType <= 6) {
    if ((p / 3) % 2 == 1) p = 0;
  } else {
    p = p < 6 ? 0 : 6;
  }
  if (sectionType == kCircularSection && p != 1 && p != 7 && railType != 7) p = 1;
  return p;
}

CSurfaceTool::CSurfaceTool(const RailSetup& setup) : CTool(0), setup_(setup) {}

std::string CSurfaceTool::NextPrompt() const {
  const int picked = Picked();
  if (picked < setup_.rails) {
    if (setup_.rails == 1) return GetLocalizedString(kPickRail);
    return GetLocalizedString(NextRailPrompt(picked, setup_.column, setup_.row));
  }
  const int type = setup_.sectionType;
  if ((type == kDualSection || type == kMirrorSection) && picked < setup_.rails + 2) {
    return GetLocalizedString(picked == setup_.rails ? kPickFirstSection : kPickSecondSection);
  }
  if (type == kSingleSection && picked == setup_.rails) return GetLocalizedString(kPickSection);
  if (type == kMultipleSections && position_ < curves_[0]->PointCount()) {
    const int position = std::max(position_, 0);
    if (!awaiting_) return Formatted("%s  %d...", kPickSectionAt, position);
    const int stringId = setup_.rails == 1 ? kPickOnRail : setup_.column == 1 ? kPickOnTopRail : kPickOnLeftRail;
    return Formatted("%s %d+...", stringId, position);
  }
  return {};
}

void CSurfaceTool::OnLButtonDown(int, int x, int y) {
  if (finished_) return;
  if (awaiting_) {
    PickPosition(x, y);
  } else {
    PickCurve(x, y);
  }
}

void CSurfaceTool::PickPosition(int x, int y) {
  const CCurveObject& rail = *curves_[0];
  if (position_ >= rail.PointCount()) return;
  const std::span<const Vector3> ahead = std::span<const Vector3>(rail.points).subspan(position_);
  const int k = PickControlPoint(ahead, x, y);
  if (k < 0) return;
  steps_.push_back(k);
  position_ += k;
  awaiting_ = false;
  const ColorRef previous = SetDrawColor(kBlue);
  BeginPolyline(kPolylineMarkers);
  AddPolylineVertex(rail.points[position_]);
  EndPolyline();
  SetDrawColor(previous);
}

void CSurfaceTool::PickCurve(int x, int y) {
  auto* curve = static_cast<CCurveObject*>(PickObjectAt(x, y, kKindCurve, kRed));
  if (curve == nullptr) return;
  const int picked = Picked();
  if (picked > 0 && picked < setup_.rails) {
    if (std::find(curves_.begin(), curves_.end(), curve) != curves_.end()) return;
    if (!SameCurveLayout(*curve, *curves_[0])) {
      ShowMessageBox(GetLocalizedString(kRailMismatchMessage));
      return;
    }
  }
  if (picked > setup_.rails && !SameCurveLayout(*curve, *curves_[setup_.rails])) {
    ShowMessageBox(GetLocalizedString(kSectionMismatchMessage));
    return;
  }
  curves_.push_back(curve);
  if (position_ >= 0) {
    ++position_;
    awaiting_ = true;
  }
  if (setup_.rails == 1 && Picked() == 1) savedView_ = GetActiveViewMatrix();
}

void CSurfaceTool::OnLButtonUp(int, int, int) {
  if (finished_) return;
  const int picked = Picked();
  if (picked >= setup_.rails) {
    if (setup_.sectionType == kCircularSection && picked == setup_.rails) curves_.push_back(GetDefaultPipeSection());
    if (setup_.sectionType == kMultipleSections) position_ = std::max(position_, 0);
  }
  const std::string prompt = NextPrompt();
  if (!prompt.empty()) {
    ShowToolPrompt(this, prompt);
    return;
  }
  finished_ = true;
  BuildRailSurface(setup_, curves_, steps_, savedView_);
  RedrawAllViews();
  TakeSecondaryTool();
}

void DoRailSurface(int railType, int column, int half, int row, int sectionType) {
  if (GetActiveView() == nullptr) return;
  auto* tool = new CSurfaceTool(RailSetupFor(railType, column, half, row, sectionType));
  ShowToolPrompt(tool, tool->NextPrompt());
}

void OnRailSurface() {
  CRailSurfaceDlg dialog = RailSurfaceDialog;
  if (RunModalDialog(dialog) != kAnswerOk) return;
  RailSurfaceDialog = dialog;
  const int p = dialog.picture;
  DoRailSurface(dialog.railType, p / 6, (p % 6) / 3, p % 3, dialog.sectionType);
}

#include "modelling/mapping_dialogs.h"

#include <memory>
#include <utility>

#include "modelling/mapping_items.h"
#include "modelling/mapping_pick_tool.h"
#include "modelling/region_tool.h"
#include "modelling/uv_mapping.h"
#include "scene/input_tools.h"
#include "scene/tool_framework.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

float ProjectMapVector[3] = {0.0f, 1.0f, 0.0f};
Vector3 UvMapCornerA = {0.0f, 0.0f, 0.0f};
Vector3 UvMapCornerB = {10.0f, 10.0f, 10.0f};

namespace {
std::unique_ptr<CProjectMapDlg> projectMapDialog;
std::unique_ptr<CUvMapDlg> uvMapDialog;
}  // namespace

CProjectMapDlg& ProjectMapDialog() {
  if (projectMapDialog == nullptr) projectMapDialog = std::make_unique<CProjectMapDlg>();
  return *projectMapDialog;
}

CUvMapDlg& UvMapDialog() {
  if (uvMapDialog == nullptr) uvMapDialog = std::make_unique<CUvMapDlg>();
  return *uvMapDialog;
}

void CProjectMapDlg::DoDataExchange(DataExchange& dx) {
  for (int i = 0; i < 3; ++i) DDX_Text(dx, kVectorEdits[i], vector[i]);
}

void CProjectMapDlg::OnVectorEdited() {
  ReadBackQuietly();
  direction = kArbitraryDirection;
}

bool CProjectMapDlg::PressArbitrary() {
  if (!Validate()) return false;
  direction = kArbitraryDirection;
  return true;
}

void CUvMapDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kRectangleEdits[0], x0);
  DDX_Text(dx, kRectangleEdits[1], x1);
  DDX_Text(dx, kRectangleEdits[2], y0);
  DDX_Text(dx, kRectangleEdits[3], y1);
}

void CUvMapDlg::OnUserChange() {
  ReadBackQuietly();
  automatic = 0;
}

bool CUvMapDlg::PressMappingExtent() {
  if (!Validate()) return false;
  automatic = 0;
  return true;
}

void OnProjectMap() {
  CProjectMapDlg& dialog = ProjectMapDialog();
  for (int i = 0; i < 3; ++i) dialog.vector[i] = ProjectMapVector[i];
  const int result = RunModalDialog(dialog);
  if (result == kAnswerOk) {
    for (int i = 0; i < 3; ++i) ProjectMapVector[i] = dialog.vector[i];
    const int d = dialog.direction;
    const int type = d < CProjectMapDlg::kArbitraryDirection ? d / 2 : 3;
    const int lowest = (d == 1 || d == 2) ? 1 : 0;
    DoProjectMap(lowest, dialog.placement, type, dialog.vector[0], dialog.vector[1],
                 dialog.vector[2], dialog.keepSections);
  } else if (result == CProjectMapDlg::kArbitraryButton) {
    // The drag gives (horizontal, vertical, 0): view terms, as the dialog's vector is.
    StartVectorDrag(ProjectMapVector, 6101, 0);
  }
}

void OnUvMap() {
  CUvMapDlg& dialog = UvMapDialog();
  dialog.x0 = UvMapCornerA.x;
  dialog.y0 = UvMapCornerA.y;
  dialog.x1 = UvMapCornerB.x;
  dialog.y1 = UvMapCornerB.y;
  if (dialog.direction < 0) dialog.direction = (dialog.y1 - dialog.y0) > (dialog.x1 - dialog.x0) ? 1 : 0;
  const int result = RunModalDialog(dialog);
  if (result == kAnswerOk) {
    ResetToPickTool();
    if (dialog.x0 > dialog.x1) std::swap(dialog.x0, dialog.x1);
    if (dialog.y0 > dialog.y1) std::swap(dialog.y0, dialog.y1);
    UvMapCornerA.x = dialog.x0;
    UvMapCornerA.y = dialog.y0;
    UvMapCornerB.x = dialog.x1;
    UvMapCornerB.y = dialog.y1;
    DoUVMap(dialog.automatic ? -1 : dialog.direction, dialog.uniform, dialog.targetChoice,
            dialog.x0, dialog.x1, dialog.y0, dialog.y1);
  } else if (result == CUvMapDlg::kExtentButton) {
    UvMapCornerA.x = dialog.x0;
    UvMapCornerA.y = dialog.y0;
    UvMapCornerB.x = dialog.x1;
    UvMapCornerB.y = dialog.y1;
    dialog.direction = -1;
    StartRegionTool(&UvMapCornerA, &UvMapCornerB, 6100, 1);
    ShowStatusText(GetLocalizedString(10130));
  }
}

void ResetMappingCommands() {
  projectMapDialog.reset();
  uvMapDialog.reset();
  ProjectMapVector[0] = 0.0f;
  ProjectMapVector[1] = 1.0f;
  ProjectMapVector[2] = 0.0f;
  UvMapCornerA = {0.0f, 0.0f, 0.0f};
  UvMapCornerB = {10.0f, 10.0f, 10.0f};
  Mapping = MappingState();
}

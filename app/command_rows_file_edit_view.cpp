#include "app/command_rows.h"
#include "app/database_dialog.h"
#include "app/hotkeys_command.h"
#include "app/settings_dialogs.h"
#include "exchange/exchange_commands.h"
#include "manufacturing/rp_handoff.h"
#include "modelling/attribute_commands.h"
#include "modelling/color_config_dialog.h"
#include "modelling/layer_command.h"
#include "modelling/material_tool.h"
#include "modelling/save_views.h"
#include "modelling/selection_commands.h"
#include "scene/background_image_dialog.h"
#include "scene/design_file.h"
#include "scene/pick_tool.h"
#include "services/snap_step.h"

// File, configuration, edit, view settings and pick.
void AddFileEditViewRows(std::vector<CommandRow>& rows) {
  rows.push_back({1000, HandlerKind::kDirect, &OnInsertFile});
  rows.push_back({1002, HandlerKind::kDirect, &RunDatabaseDialog});
  rows.push_back({1101, HandlerKind::kDirect, &OnDirectories});
  rows.push_back({1102, HandlerKind::kDirect, &OnHotkeys});
  // The material commands reset to the pick tool themselves, so Cancel keeps the tool.
  rows.push_back({2600, HandlerKind::kDirect, &OnMaterial});
  rows.push_back({2601, HandlerKind::kDirect, &OnEditMaterial});
  rows.push_back({3000, HandlerKind::kDirect, &RunBackgroundImageDialog});
  rows.push_back({3001, HandlerKind::kDirect, &OnGridSettings});
  rows.push_back({3002, HandlerKind::kDirect, &ToggleSnapStep});
  rows.push_back({3415, HandlerKind::kDirect, &RunZoomCalibrationDialog});
  rows.push_back({1100, HandlerKind::kDirect, &RunColorConfigDialog});
  rows.push_back({2500, HandlerKind::kDirect, &RunLayerDialog});
  rows.push_back({3601, HandlerKind::kDirect, &StartPickCVs});
  rows.push_back({3602, HandlerKind::kDirect, &StartPickTLines});
  const auto resetFirst = [&rows](int id, void (*worker)()) {
    rows.push_back({id, HandlerKind::kResetFirst, worker});
  };
  resetFirst(2000, &DoDelete);
  resetFirst(2001, &DoUndelete);
  resetFirst(2002, &DoHide);
  resetFirst(2003, &DoUnhide);
  resetFirst(2004, &DoSwapHide);
  resetFirst(2100, &DoHideCV);
  resetFirst(2101, &DoShowCV);
  resetFirst(2200, &DoHideJewel);
  resetFirst(2201, &DoShowJewel);
  resetFirst(2202, &DoBeJewel);
  resetFirst(2203, &DoNotJewel);
  resetFirst(2300, &DoSuperSubtractor);
  resetFirst(2301, &DoNotSuperSubtractor);
  resetFirst(2400, &DoDeformable);
  resetFirst(2401, &DoNonDeformable);
  resetFirst(3610, &DoSelectAll);
  resetFirst(3611, &DoSelectCurves);
  resetFirst(3612, &DoSelectSurfaces);
  resetFirst(3613, &DoSelectBooleans);
  resetFirst(3614, &DoSelectSolids);
  resetFirst(3615, &DoSelectJewels);
  resetFirst(3616, &DoSelectAxisLines);
  resetFirst(3617, &DoSelectMeshes);
  resetFirst(1001, &DoSaveViews);
  resetFirst(1003, &OnFileImport);
  resetFirst(1004, &OnFileExport);
  resetFirst(1005, &ImportTempSla);
  resetFirst(1006, &ImportTempDxf);
  resetFirst(1007, &ExportTempSla);
  resetFirst(1008, &ExportTempDxfCurves);
  resetFirst(1009, &SendToDeskProto);
  resetFirst(1010, &SendToObjetStudio);
  resetFirst(1011, &SendToPerfactory);
}

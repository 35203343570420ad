#include "app/command_rows.h"
#include "app/core/snap_step.h"
#include "app/database_dialog.h"
#include "app/hotkeys_command.h"
#include "app/settings_dialogs.h"
#include "scene/background_image_dialog.h"
#include "scene/design_file.h"
#include "scene/pick_tool.h"

// File, configuration, edit, view settings and pick. Rows whose workers come with later parts of
// the program join here as those land; until then their ids have no holder.
void AddFileEditViewRows(std::vector<CommandRow>& rows) {
  rows.push_back({1000, HandlerKind::kDirect, &OnInsertFile});
  rows.push_back({1002, HandlerKind::kDirect, &RunDatabaseDialog});
  rows.push_back({1101, HandlerKind::kDirect, &OnDirectories});
  rows.push_back({1102, HandlerKind::kDirect, &OnHotkeys});
  rows.push_back({3000, HandlerKind::kDirect, &RunBackgroundImageDialog});
  rows.push_back({3001, HandlerKind::kDirect, &OnGridSettings});
  rows.push_back({3002, HandlerKind::kDirect, &ToggleSnapStep});
  rows.push_back({3415, HandlerKind::kDirect, &RunZoomCalibrationDialog});
  rows.push_back({3601, HandlerKind::kDirect, &StartPickCVs});
  rows.push_back({3602, HandlerKind::kDirect, &StartPickTLines});
}

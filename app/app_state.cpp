#include "app/app_state.h"

#include "app/command_routing.h"
#include "app/command_table.h"
#include "app/database_dialog.h"
#include "app/recent_file_list.h"
#include "app/settings_dialogs.h"

void ResetAppState() {
  ResetCommandRouting();
  RegisterCommandRows();
  ProgramRecentFiles().Clear();
  ResetSettingsDialogs();
  ResetDatabaseDialog();
}

#include "services/app_core_state.h"

#include "services/app_settings.h"
#include "services/choose_language.h"
#include "services/file_names.h"
#include "services/hotkey_table.h"
#include "services/hotkeys_dialog.h"
#include "services/layer_table.h"
#include "services/layers_dialog.h"
#include "services/menu_builder.h"
#include "services/snap_step.h"
#include "services/ui_utilities.h"
#include "services/view_pictures.h"

void ResetAppCoreState() {
  ResetAppSettings();
  ResetUiUtilities();
  ResetSnapStep();
  ResetViewPictures();
  ResetLayerTable();
  ResetLayersDialog();
  ResetChooseLanguage();
  ResetFileDialogMemory();
  ResetHotkeys();
  ResetHotkeysDialog();
  SetMenuFrame(nullptr);
  BuildMenus();
}

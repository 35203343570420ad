#include "app/core/app_core_state.h"

#include "app/core/app_settings.h"
#include "app/core/choose_language.h"
#include "app/core/file_names.h"
#include "app/core/hotkey_table.h"
#include "app/core/hotkeys_dialog.h"
#include "app/core/layer_table.h"
#include "app/core/layers_dialog.h"
#include "app/core/menu_builder.h"
#include "app/core/snap_step.h"
#include "app/core/ui_utilities.h"
#include "app/core/view_pictures.h"

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

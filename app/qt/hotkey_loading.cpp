#include "app/qt/hotkey_loading.h"

// The hotkey file and the accelerator table come with the hotkeys; until then the table stays
// empty and key presses reach the views as they are.
void LoadHotkeys(CMainFrame& /*frame*/) {}

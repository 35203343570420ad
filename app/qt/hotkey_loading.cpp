#include "app/qt/hotkey_loading.h"

#include "services/hotkey_file.h"

// The accelerator table is program-wide and the menu texts reach the frame through the menu
// builder, so the frame needs nothing of its own.
void LoadHotkeys(CMainFrame& /*frame*/) { LoadHotkeys(); }

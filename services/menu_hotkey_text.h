#pragma once

#include "services/menu_builder.h"

// The recent-file items, whose texts the recent-file list writes.
inline constexpr int kFirstRecentFileItem = 57616;
inline constexpr int kLastRecentFileItem = 57631;

// Writes each command's hotkey after a tab in the items of the menu and its popups: the text
// up to its first tab (one at position 0 is kept), then a tab and the hotkey when there is one.
// Popup titles and recent-file items are left alone.
void WriteMenuHotkeyText(MenuItem& menu);
// The same on the menu bar in use, then the main frame shows the bar again.
void RefreshMenuHotkeyText();

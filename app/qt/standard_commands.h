#pragma once

#include "services/menu_hotkey_text.h"

// The ids of the desktop's standard commands that the application and its main frame handle.
inline constexpr int kFileNewCommand = 57600;
inline constexpr int kFileOpenCommand = 57601;
inline constexpr int kFileSaveCommand = 57603;
inline constexpr int kFileSaveAsCommand = 57604;
// The first of the recent-file commands, one per entry of the list.
inline constexpr int kFirstRecentFileCommand = kFirstRecentFileItem;
inline constexpr int kAppAboutCommand = 57664;
inline constexpr int kAppExitCommand = 57665;
inline constexpr int kHelpContentsCommand = 57667;
inline constexpr int kContextHelpCommand = 57669;
inline constexpr int kHelpHomePageCommand = 1200;

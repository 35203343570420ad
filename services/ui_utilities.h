#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui_services.h"
#include "services/resource_strings.h"

// The program's dealings with the user through the main window.

// The last text given to ShowStatusText; the status bar shows it again when idle.
extern std::string StatusTextCache;

// Without a main window nothing happens.
void ShowStatusText(std::string_view text);
// Names a file in the status bar after the string of messageKey, such as "Cannot open file!".
void ShowFileStatus(int messageKey, const std::string& path);
// Returns the answer (kAnswerOk, kAnswerYes, kAnswerNo).
int ShowMessageBox(const std::string& text, const std::string& caption = ApplicationTitle(),
                   int buttons = kMessageOk);
// The message box of a file: the string of messageKey, such as "Cannot write to file!", with the
// file's path on a second line.
void ShowFileMessage(int messageKey, const std::string& path);
// Posts a command to run after the current one; returns 1.
int SendCommand(int id);
// The wait cursor; calls nest, and an EndWait without a BeginWait does nothing.
void BeginWait();
void EndWait();
// The wait cursor for the life of the scope, on every way out.
class WaitCursor {
 public:
  WaitCursor() { BeginWait(); }
  ~WaitCursor() { EndWait(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};
// Shows the cursor of the current tool: the tool framework tells which (0 until it does: the
// arrow).
void SetToolCursor();
void SetToolCursorIdSource(int (*currentToolCursorId)());
// 1 when Esc, a left or right button press or a wheel turn waits to be handled.
int CheckUserAbort();
// The colour dialog with the custom colours; kNoColor when the user cancels.
inline constexpr std::uint32_t kNoColor = 0xFFFFFFFF;
std::uint32_t PickColor(std::uint32_t initial);

void ResetUiUtilities();

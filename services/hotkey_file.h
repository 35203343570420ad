#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "services/hotkey_table.h"

// The hotkey file: "LumidrexKey050" (or the older "LumidrexHotkey", whose command ids are
// translated), an int32 count and that many 5-byte records {flags, key code, command}; bytes
// after the records are ignored.

struct HotkeyFileContent {
  std::vector<HotkeyEntry> accelerators;  // as the file holds them, key codes
  std::vector<HotkeyEntry> entries;       // the same with key indexes
};

enum class HotkeyFileResult { kRead, kBadFormat };

// Reads at most as many records as the file holds whole, however large its count; a count of 0
// or less reads none.
HotkeyFileResult ReadHotkeyFile(std::FILE* file, HotkeyFileContent* content);
// The built-in default set, 180 bytes.
void WriteDefaultHotkeysFile(std::FILE* file);
// Writes the records (key codes) under the present magic through a temporary file, so a failed
// write keeps the old file; false on failure.
bool WriteHotkeyFile(const std::string& path, const std::vector<HotkeyEntry>& accelerators);

// The hotkeys file read at start-up: the user's own, else the program folder's; empty when
// neither exists (the built-in set serves then).
std::string HotkeysFileToRead();
// Writes the program's hotkeys where the next start reads them first: the program folder's file
// while the user has none and that folder takes it, else the user's own (its folder made
// private first). False when neither can be written.
bool SaveProgramHotkeysFile(const std::vector<HotkeyEntry>& accelerators);

// Fills the hotkey table and the accelerators from the hotkeys file, or from the built-in set
// when there is none, then writes the hotkeys into the menus. A file of neither magic leaves
// both as they were and says so in the status bar.
void LoadHotkeys();

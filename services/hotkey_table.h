#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One hotkey: flags (bit 0 virtual key, 4 Shift, 8 Ctrl, 0x10 Alt), a key and a command. In the
// hotkey table and the dialog's work list the key is a key index (kNoKey for none); in a file and
// in an accelerator record it is the key code.
struct HotkeyEntry {
  std::uint8_t flags = 0;
  std::uint16_t key = 0;
  std::uint16_t command = 0;

  bool operator==(const HotkeyEntry&) const = default;
};

inline constexpr std::uint8_t kHotkeyVirtual = 0x01;
inline constexpr std::uint8_t kHotkeyShift = 0x04;
inline constexpr std::uint8_t kHotkeyCtrl = 0x08;
inline constexpr std::uint8_t kHotkeyAlt = 0x10;

// The program's hotkeys with key indexes, in file order; replaced as a whole.
extern std::vector<HotkeyEntry> HotkeyTable;

// "Ctrl+", "Shift+" and the key's name for the first hotkey of the command; empty without one.
// Alt is never shown.
std::string GetHotkeyText(int command);
// The accelerator record of a work-list entry with a key: the key's code, and the virtual-key
// flag for letters, the named keys, and digits with a modifier.
HotkeyEntry MakeAccelRecord(const HotkeyEntry& entry);
// The present id of a command id of the older file magic; ids of no pair pass unchanged.
std::uint16_t RemapOldHotkeyCommand(std::uint16_t command);

// A key press as the accelerators see it: its virtual key, the printable ASCII character it
// types (0 for none) and its modifiers.
struct KeyStroke {
  int virtualKey = 0;
  char character = 0;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// The accelerator records (with key codes) that turn key presses into commands. The first
// record that matches wins: a virtual-key record by its key and all three modifiers, a character
// record by the character typed and Ctrl and Alt (the character carries Shift already).
class AcceleratorTable {
 public:
  void Replace(std::vector<HotkeyEntry> records) { records_ = std::move(records); }
  const std::vector<HotkeyEntry>& Records() const { return records_; }
  std::optional<int> CommandFor(const KeyStroke& stroke) const;

 private:
  std::vector<HotkeyEntry> records_;
};

// The main window's accelerators.
AcceleratorTable& ProgramAccelerators();

void ResetHotkeys();

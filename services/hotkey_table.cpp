#include "services/hotkey_table.h"

#include <array>
#include <utility>

#include "services/hotkey_keys.h"

std::vector<HotkeyEntry> HotkeyTable;

namespace {

// Only the pairs known of the older numbering; the lookup takes the first pair of an old id, and
// a translated id is never translated again. 3013 maps to an id no command holds: kept as given,
// such a hotkey does nothing and the next OK of the Hotkeys dialog drops it.
constexpr std::array<std::pair<std::uint16_t, std::uint16_t>, 10> kHotkeyIdRemap = {{
    {2933, 9120}, {4082, 1100}, {2785, 4004}, {3013, 10000}, {40036, 9004},
    {40037, 9005}, {4016, 4005}, {4016, 5010}, {4077, 4003}, {4003, 5105},
}};

}  // namespace

std::string GetHotkeyText(int command) {
  for (const HotkeyEntry& entry : HotkeyTable) {
    if (entry.command != command) continue;
    std::string text;
    if ((entry.flags & kHotkeyCtrl) != 0) text += "Ctrl+";
    if ((entry.flags & kHotkeyShift) != 0) text += "Shift+";
    if (entry.key < kHotkeyKeyCount) text += HotkeyKeyName(entry.key);
    return text;
  }
  return {};
}

HotkeyEntry MakeAccelRecord(const HotkeyEntry& entry) {
  HotkeyEntry record = entry;
  const int k = entry.key;
  record.key = static_cast<std::uint16_t>(HotkeyKeyCode(k));
  const bool letter = k < kFirstDigitKey;
  const bool named = k >= kFirstVirtualOnlyKey;
  const bool modifiedDigit =
      k < kFirstPunctuationKey && !letter && (entry.flags & (kHotkeyShift | kHotkeyCtrl | kHotkeyAlt)) != 0;
  if (letter || named || modifiedDigit) record.flags |= kHotkeyVirtual;
  return record;
}

std::uint16_t RemapOldHotkeyCommand(std::uint16_t command) {
  for (const auto& [old, now] : kHotkeyIdRemap) {
    if (old == command) return now;
  }
  return command;
}

std::optional<int> AcceleratorTable::CommandFor(const KeyStroke& stroke) const {
  const auto same = [](bool held, std::uint8_t flags, std::uint8_t bit) { return held == ((flags & bit) != 0); };
  for (const HotkeyEntry& record : records_) {
    if (!same(stroke.ctrl, record.flags, kHotkeyCtrl) || !same(stroke.alt, record.flags, kHotkeyAlt)) continue;
    const bool match = (record.flags & kHotkeyVirtual) != 0
                           ? stroke.virtualKey == record.key && same(stroke.shift, record.flags, kHotkeyShift)
                           : stroke.character != 0 && static_cast<unsigned char>(stroke.character) == record.key;
    if (match) return record.command;
  }
  return std::nullopt;
}

AcceleratorTable& ProgramAccelerators() {
  static AcceleratorTable table;
  return table;
}

void ResetHotkeys() {
  HotkeyTable.clear();
  ProgramAccelerators().Replace({});
}

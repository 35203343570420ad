#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The 95 keys a hotkey can use, by key index: letters, digits, the US keyboard's punctuation
// (unshifted, then shifted), F1-F12 and the named keys.
inline constexpr int kHotkeyKeyCount = 95;
inline constexpr std::uint16_t kNoKey = 0xFFFF;
// Indexes below this are found for character records too; the rest only as virtual keys.
inline constexpr int kFirstVirtualOnlyKey = 68;
inline constexpr int kFirstPunctuationKey = 36;
inline constexpr int kFirstDigitKey = 26;

// The key code of each index (a character code, or a virtual-key code for the named keys).
int HotkeyKeyCode(int index);
// The name shown for each index.
std::string_view HotkeyKeyName(int index);
// The tabs that follow the name in the Hotkeys list, so that the next column lines up.
std::string_view HotkeyKeyNamePad(int index);

// Key code to key index, built afresh for each file read: slot c for a character record, slot
// 256 + c for a virtual-key record. Where two keys share a code the later index wins, so a
// virtual 0x2E is Delete, not '.'.
class KeyIndexLookup {
 public:
  KeyIndexLookup();
  // kNoKey for a code no key has (and for codes of 256 or more).
  std::uint16_t IndexOf(std::uint16_t code, bool virtualKey) const;

 private:
  std::array<std::uint16_t, 512> slots_;
};

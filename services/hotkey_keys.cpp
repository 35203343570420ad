#include "services/hotkey_keys.h"

namespace {

struct Key {
  int code;
  std::string_view name;
  std::string_view pad;
};

constexpr std::string_view kPunctuation = "`-=[]\\;',./~!@#$%^&*()_+{}|:\"<>?";

constexpr std::array<Key, kHotkeyKeyCount> BuildKeys() {
  std::array<Key, kHotkeyKeyCount> keys{};
  constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  constexpr std::string_view kDigits = "1234567890";
  for (int i = 0; i < 26; ++i) keys[i] = {kLetters[i], kLetters.substr(i, 1), "\t\t\t"};
  for (int i = 0; i < 10; ++i) keys[kFirstDigitKey + i] = {kDigits[i], kDigits.substr(i, 1), "\t\t\t"};
  for (int i = 0; i < 32; ++i) {
    keys[kFirstPunctuationKey + i] = {kPunctuation[i], kPunctuation.substr(i, 1), "\t\t\t"};
  }
  constexpr std::string_view kFunctionNames[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                 "F7", "F8", "F9", "F10", "F11", "F12"};
  for (int i = 0; i < 12; ++i) keys[kFirstVirtualOnlyKey + i] = {0x70 + i, kFunctionNames[i], i < 9 ? "\t\t\t" : "\t\t"};
  const Key named[] = {{0x20, "Space", "\t"},    {0x09, "Tab", "\t\t"},     {0x14, "CapsLock", ""},
                       {0x08, "BackSpace", ""},  {0x0D, "Enter", "\t\t"},   {0x2D, "Insert", "\t\t"},
                       {0x2E, "Delete", "\t"},   {0x24, "Home", "\t\t"},    {0x23, "End", "\t\t"},
                       {0x21, "PageUp", "\t"},   {0x22, "PageDown", ""},    {0x25, "Left", "\t\t"},
                       {0x27, "Right", "\t\t"},  {0x26, "Up", "\t\t\t"},    {0x28, "Down", "\t\t"}};
  for (int i = 0; i < 15; ++i) keys[80 + i] = named[i];
  return keys;
}

constexpr std::array<Key, kHotkeyKeyCount> kKeys = BuildKeys();

}  // namespace

int HotkeyKeyCode(int index) { return kKeys[static_cast<std::size_t>(index)].code; }

std::string_view HotkeyKeyName(int index) { return kKeys[static_cast<std::size_t>(index)].name; }

std::string_view HotkeyKeyNamePad(int index) { return kKeys[static_cast<std::size_t>(index)].pad; }

KeyIndexLookup::KeyIndexLookup() {
  slots_.fill(kNoKey);
  for (int index = 0; index < kHotkeyKeyCount; ++index) {
    const int code = kKeys[static_cast<std::size_t>(index)].code;
    if (index < kFirstVirtualOnlyKey) slots_[static_cast<std::size_t>(code)] = static_cast<std::uint16_t>(index);
    slots_[256 + static_cast<std::size_t>(code)] = static_cast<std::uint16_t>(index);
  }
}

std::uint16_t KeyIndexLookup::IndexOf(std::uint16_t code, bool virtualKey) const {
  if (code >= 256) return kNoKey;
  return slots_[(virtualKey ? 256u : 0u) + code];
}

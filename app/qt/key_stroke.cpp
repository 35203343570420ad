#include "app/qt/key_stroke.h"

#include <array>
#include <utility>

namespace {

// Named keys and their virtual keys.
constexpr std::array<std::pair<int, int>, 18> kNamedKeys = {{
    {Qt::Key_Space, 0x20},    {Qt::Key_CapsLock, 0x14}, {Qt::Key_Backspace, 0x08}, {Qt::Key_Escape, 0x1B},
    {Qt::Key_Tab, 0x09},      {Qt::Key_Backtab, 0x09},  {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},
    {Qt::Key_Insert, 0x2D},   {Qt::Key_Delete, 0x2E},   {Qt::Key_Home, 0x24},      {Qt::Key_End, 0x23},
    {Qt::Key_PageUp, 0x21},   {Qt::Key_PageDown, 0x22}, {Qt::Key_Left, 0x25},      {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},    {Qt::Key_Down, 0x28},
}};

// The keys of the main block that type punctuation, by either character, and their OEM codes.
struct PunctuationKey {
  char plain;
  char shifted;
  int virtualKey;
};
constexpr std::array<PunctuationKey, 11> kPunctuationKeys = {{
    {'`', '~', 0xC0}, {'-', '_', 0xBD}, {'=', '+', 0xBB}, {'[', '{', 0xDB}, {']', '}', 0xDD}, {'\\', '|', 0xDC},
    {';', ':', 0xBA}, {'\'', '"', 0xDE}, {',', '<', 0xBC}, {'.', '>', 0xBE}, {'/', '?', 0xBF},
}};
// The digit row's shifted symbols, for 1 to 9 and 0.
constexpr char kShiftedDigits[] = "!@#$%^&*()";

int KeypadVirtualKey(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return 0x60 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk: return 0x6A;
    case Qt::Key_Plus: return 0x6B;
    case Qt::Key_Minus: return 0x6D;
    case Qt::Key_Period: return 0x6E;
    case Qt::Key_Slash: return 0x6F;
    default: return 0;
  }
}

int MainVirtualKey(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
  for (const auto& [qtKey, virtualKey] : kNamedKeys) {
    if (qtKey == key) return virtualKey;
  }
  if (key < 0x20 || key > 0x7E) return 0;
  for (int digit = 0; digit < 10; ++digit) {
    if (kShiftedDigits[digit] == key) return digit == 9 ? 0x30 : 0x31 + digit;
  }
  for (const PunctuationKey& punctuation : kPunctuationKeys) {
    if (punctuation.plain == key || punctuation.shifted == key) return punctuation.virtualKey;
  }
  return 0;
}

// The character the key types on the US layout, with Shift applied; Qt names letters by their
// capitals and symbols by themselves.
char TypedCharacter(int key, bool shift) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<char>(shift ? key : key - 'A' + 'a');
  if (key < 0x20 || key > 0x7E) return 0;
  if (shift) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return kShiftedDigits[(key - Qt::Key_0 + 9) % 10];
    for (const PunctuationKey& punctuation : kPunctuationKeys) {
      if (punctuation.plain == key) return punctuation.shifted;
    }
  }
  return static_cast<char>(key);
}

}  // namespace

std::optional<KeyStroke> KeyStrokeFromQt(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  if ((modifiers & Qt::MetaModifier) != 0) return std::nullopt;
  KeyStroke stroke;
  stroke.shift = (modifiers & Qt::ShiftModifier) != 0 || key == Qt::Key_Backtab;
  stroke.ctrl = (modifiers & Qt::ControlModifier) != 0;
  stroke.alt = (modifiers & Qt::AltModifier) != 0;
  const bool keypad = (modifiers & Qt::KeypadModifier) != 0;
  stroke.virtualKey = keypad && KeypadVirtualKey(key) != 0 ? KeypadVirtualKey(key) : MainVirtualKey(key);
  if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() <= 0x7E) {
    stroke.character = static_cast<char>(text[0].unicode());
  } else if (stroke.ctrl || stroke.alt) {
    stroke.character = TypedCharacter(key, stroke.shift);
  }
  return stroke;
}

#include "app/qt/key_stroke.h"

#include <gtest/gtest.h>

namespace {

// The key a Qt event names, on the US layout, and what the accelerators see of it.
TEST(KeyStrokeTest, QtKeysBecomeVirtualKeysAndCharacters) {
  const struct {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    int virtualKey;
    char character;
    bool shift, ctrl;
  } cases[] = {
      {"Shift+5", Qt::Key_Percent, Qt::ShiftModifier, "%", 0x35, '%', true, false},
      {"Ctrl+/", Qt::Key_Slash, Qt::ControlModifier, "", 0xBF, '/', false, true},
      {"keypad 3", Qt::Key_3, Qt::KeypadModifier, "3", 0x63, '3', false, false},
      {"top-row 3", Qt::Key_3, Qt::NoModifier, "3", 0x33, '3', false, false},
      {"Backtab", Qt::Key_Backtab, Qt::ShiftModifier, "", 0x09, 0, true, false},
      {"colon", Qt::Key_Colon, Qt::ShiftModifier, ":", 0xBA, ':', true, false},
      {"Ctrl+N", Qt::Key_N, Qt::ControlModifier, "\x0e", 0x4E, 'n', false, true},
      {"Ctrl+Shift+1", Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier, "", 0x31, '!', true, true},
      {"Ctrl+Shift+N", Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier, "", 0x4E, 'N', true, true},
      {"F12", Qt::Key_F12, Qt::NoModifier, "", 0x7B, 0, false, false},
      {"keypad *", Qt::Key_Asterisk, Qt::KeypadModifier, "*", 0x6A, '*', false, false},
      {"Shift+8", Qt::Key_Asterisk, Qt::ShiftModifier, "*", 0x38, '*', true, false},
      {"Delete", Qt::Key_Delete, Qt::NoModifier, "\x7f", 0x2E, 0, false, false},
      {"Space", Qt::Key_Space, Qt::NoModifier, " ", 0x20, ' ', false, false},
      {"Ctrl+[", Qt::Key_BracketLeft, Qt::ControlModifier, "\x1b", 0xDB, '[', false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<KeyStroke> stroke = KeyStrokeFromQt(c.key, c.modifiers, c.text);
    ASSERT_TRUE(stroke);
    EXPECT_EQ(stroke->virtualKey, c.virtualKey);
    EXPECT_EQ(stroke->character, c.character);
    EXPECT_EQ(stroke->shift, c.shift);
    EXPECT_EQ(stroke->ctrl, c.ctrl);
    EXPECT_FALSE(stroke->alt);
  }
  EXPECT_FALSE(KeyStrokeFromQt(Qt::Key_A, Qt::MetaModifier, "a"));
}

}  // namespace

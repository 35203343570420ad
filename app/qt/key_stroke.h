#pragma once

#include <QString>
#include <Qt>

#include <optional>

#include "services/hotkey_table.h"

// A Qt key press as the accelerators see it, on the US layout the key names follow: the virtual
// key from the key and the keypad flag (a shifted symbol counts as the key that types it), and
// the printable ASCII character typed, from the event's text or, where Ctrl or Alt hid it, from
// the key with Shift applied. None while Meta is held: no hotkey uses it.
std::optional<KeyStroke> KeyStrokeFromQt(int key, Qt::KeyboardModifiers modifiers, const QString& text);

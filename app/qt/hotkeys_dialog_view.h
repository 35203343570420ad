#pragma once

#include <QFont>
#include <QString>

class CHotkeyDefineDlg;
class CHotkeysDlg;
class QWidget;

// The Hotkeys list draws its lines in this font with a tab stop every
// (average character width x 10 / 4) pixels, the width the model's measure uses as well.
QFont HotkeyListFont();
int HotkeyListTabWidth(const QFont& font);
// The x at which the character at index starts when the line is drawn in the list.
int HotkeyLineX(const QString& line, int index, const QFont& font);
// Makes the model measure its paths as the list draws them.
void UseQtHotkeyListMetrics();

// The Hotkeys dialog over the model's lines; returns kAnswerOk or kAnswerCancel.
int RunHotkeysDialogView(CHotkeysDlg& model, QWidget* parent);
// The Define Hotkey dialog: Ctrl, Shift and a list of the 95 keys.
int RunHotkeyDefineView(CHotkeyDefineDlg& model, QWidget* parent);

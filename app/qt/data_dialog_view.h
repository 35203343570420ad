#pragma once

#include <functional>

#include <QString>

class CDataDialog;
class QDialog;
class QHBoxLayout;
class QLineEdit;
class QWidget;

// The view side of a CDataDialog: edits that show and change the model's texts, and an OK that
// closes only when the model's values check, with the focus back in the failing edit.

QString Localized(int key);
// An edit bound to the model's text of control id.
QLineEdit* BoundEdit(CDataDialog& model, int id, QWidget* parent);
// Shows the model's texts again in every bound edit of the dialog.
void ShowModelTexts(QDialog& dialog, CDataDialog& model);
// OK and Cancel (strings 1 and 2), right-aligned.
QHBoxLayout* OkCancelButtons(QDialog& dialog, CDataDialog& model);
// Runs action whenever the widget takes the focus.
void OnFocusIn(QWidget* widget, std::function<void()> action);
// Runs the dialog; kAnswerOk or kAnswerCancel.
int ExecDataDialog(QDialog& dialog);

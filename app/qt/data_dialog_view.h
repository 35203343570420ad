#pragma once

#include <functional>
#include <span>

#include <QListWidget>
#include <QString>

#include "services/data_dialog.h"

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QVBoxLayout;
class QWidget;

// The view side of a CDataDialog: edits that show and change the model's texts, and an OK that
// closes only when the model's values check, with the focus back in the failing edit.

QString Localized(int key);
// An edit bound to the model's text of control id.
QLineEdit* BoundEdit(CDataDialog& model, int id, QWidget* parent);
// Shows the model's texts again in every bound edit of the dialog.
void ShowModelTexts(QDialog& dialog, CDataDialog& model);
// Puts the focus in the edit whose field the last Validate refused, its text selected.
void FocusFailedField(QDialog& dialog, const CDataDialog& model);
// Ends the dialog with result when the model's values check, Accepted through accept(); else the
// focus goes to the failing edit and the dialog stays.
void DoneIfValid(QDialog& dialog, CDataDialog& model, int result);
// OK and Cancel (strings 1 and 2), right-aligned.
QHBoxLayout* OkCancelButtons(QDialog& dialog, CDataDialog& model);
// Runs action whenever the widget takes the focus.
void OnFocusIn(QWidget* widget, std::function<void()> action);
// Runs the dialog; kAnswerOk or kAnswerCancel.
int ExecDataDialog(QDialog& dialog);

// Presses the dialog's OK, which closes it only when the values check.
void PressDefaultButton(QDialog& dialog);
// A dialog with its caption from the string table, its content and OK and Cancel below; the
// content's layout.
QVBoxLayout* Frame(QDialog& dialog, CDataDialog& model, int captionKey);
// An edit with the list that feeds it below: a click copies the entry into the edit, a
// double-click also accepts.
QLineEdit* AddFedEdit(QDialog& dialog, QVBoxLayout* content, CDataDialog& model, int editId, QListWidget* list);
// Radio buttons for the values, labelled by the keys; the checked one is the value.
QWidget* Radios(QDialog& dialog, std::span<const int> labels, std::span<const int> values, int* value);

// The numbers as list entries, shown as the edits show them.
template <class T>
QListWidget* EntryList(std::span<const T> entries, QWidget* parent) {
  auto* list = new QListWidget(parent);
  for (const T entry : entries) list->addItem(QString::fromStdString(FormatFloatText(static_cast<float>(entry))));
  return list;
}


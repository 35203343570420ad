#include "platform/qt/qt_modeless_dialog.h"

QtModelessDialog::QtModelessDialog(DialogModel& model, QWidget* parent)
    : QDialog(parent, Qt::Tool), model_(model) {
  setModal(false);
}

void QtModelessDialog::accept() { model_.PressOK(); }

void QtModelessDialog::reject() { model_.PressCancel(); }

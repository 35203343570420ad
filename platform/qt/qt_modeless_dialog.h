#pragma once

#include <QDialog>

#include "platform/ui_services.h"

// The window of a modeless model: a tool window beside the views. OK, Cancel, Escape and the
// close box only tell the model; the window stays until the program closes it.
class QtModelessDialog : public QDialog {
 public:
  QtModelessDialog(DialogModel& model, QWidget* parent);

  void accept() override;
  void reject() override;

 private:
  DialogModel& model_;
};

#include "modelling/modeless_window.h"

#include "platform/platform_services.h"
#include "platform/ui_services.h"

void ModelessWindow::Open() {
  open_ = true;
  Platform().ui->OpenModelessDialog(model_);
}

void ModelessWindow::Close() {
  if (!open_) return;
  open_ = false;
  Platform().ui->CloseModelessDialog(model_);
}

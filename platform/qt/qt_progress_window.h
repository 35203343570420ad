#pragma once

#include <memory>

#include "platform/ui_services.h"

class QProgressBar;
class QWidget;

// The progress window: a top-level dialog, modal for the whole application while open, with a
// bar and a Cancel button. Cancel, Esc and the close button only tell the client; Enter does
// nothing.
class QtProgressWindow : public ProgressWindow {
 public:
  QtProgressWindow(ProgressWindowClient& client, QWidget* owner);
  ~QtProgressWindow() override;

  void SetRange(int lower, int upper) override;
  void SetPosition(int position) override;
  void SetCaption(const std::string& caption) override;
  void PumpEvents() override;

 private:
  class Dialog;
  std::unique_ptr<Dialog> dialog_;
  QProgressBar* bar_;
};

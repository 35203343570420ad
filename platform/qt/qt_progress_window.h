#pragma once

#include <memory>

#include "platform/ui_services.h"

class QLabel;
class QProgressBar;
class QWidget;

// The progress window: a top-level dialog, modal for the whole application while open, with its
// caption repeated above the bar (some desktops draw dialogs without a title bar) and a Cancel
// button. Cancel, Esc and the close button only tell the client; Enter does nothing.
class QtProgressWindow : public ProgressWindow {
 public:
  QtProgressWindow(ProgressWindowClient& client, QWidget* owner, const std::string& cancelText);
  ~QtProgressWindow() override;

  void SetRange(int lower, int upper) override;
  void SetPosition(int position) override;
  void SetCaption(const std::string& caption) override;
  void PumpEvents() override;

 private:
  class Dialog;
  std::unique_ptr<Dialog> dialog_;
  QLabel* text_;
  QProgressBar* bar_;
};

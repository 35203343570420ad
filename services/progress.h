#pragma once

#include <memory>
#include <string>

#include "platform/command_queue.h"
#include "platform/ui_services.h"
#include "services/resource_strings.h"

// The progress window of a long job: a bar, and the job's title with the percentage done in its
// caption. Its Cancel button (or Esc, or closing it) only notes the wish; the job asks the user
// at its next step. While it is open, no posted command runs.
class CProgressDlg : public ProgressWindowClient {
 public:
  CProgressDlg() = default;
  ~CProgressDlg() { DestroyWindow(); }
  CProgressDlg(const CProgressDlg&) = delete;
  CProgressDlg& operator=(const CProgressDlg&) = delete;

  // Opens the window; 1, or 0 when it could not be opened.
  int Create();
  // Range, step and position to the bar; the caption to the string resource of captionStringId.
  void OnInitDialog();
  void OnCancel() override { cancelPressed = 1; }
  // Enter does not close the window.
  void OnOK() override {}
  void DestroyWindow();

  void SetWindowText(const std::string& text);

  std::string captionText;
  int captionStringId = kApplicationTitleString;
  int lowerBound = 0;
  int upperBound = 100;
  int step = 1;
  int cancelPressed = 0;
  int position = 0;
  std::string windowText;

 private:
  friend class CProgress;
  std::unique_ptr<ProgressWindow> window_;
  std::unique_ptr<CommandQueueHold> hold_;
};

// A long job keeps one on the stack: Open, a StepIt per unit of work, Close.
class CProgress {
 public:
  CProgress() = default;
  ~CProgress() { Close(); }
  CProgress(const CProgress&) = delete;
  CProgress& operator=(const CProgress&) = delete;

  // Range 0..n, position 0; false when the window could not be opened (steps then do nothing).
  bool Open(int n, const std::string& title, int step);
  bool OpenWithText(int n, const std::string& title, int step) { return Open(n, title, step); }
  bool OpenWithStringId(int n, int stringKey, int step);
  // Advances the bar and the percentage. 1 when the user pressed Cancel and confirmed.
  int StepIt();
  void Close();

  const CProgressDlg* dialog() const { return dialog_.get(); }

 private:
  std::unique_ptr<CProgressDlg> dialog_;
};

#pragma once

#include <memory>
#include <string>

#include "platform/picture.h"

// Message-box buttons and answers keep the numbers the program compares against.
inline constexpr int kMessageOk = 0;
inline constexpr int kMessageYesNoCancel = 3;
inline constexpr int kMessageYesNo = 4;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// The logic of one of the program's dialogs. A backend finds the view that shows it by name;
// the view writes what the user changes straight into the model.
class DialogModel {
 public:
  virtual ~DialogModel() = default;
  virtual const char* DialogName() const = 0;
  // Before the view opens: fill the model.
  virtual void OnInitDialog() {}
  // After the view closed with OK.
  virtual void OnOK() {}
  // The buttons of a modeless window (Escape and the close box are Cancel). Such a window never
  // closes itself: the program closes it through the UI services, so a model that goes away
  // takes its window with it.
  virtual void PressOK() {}
  virtual void PressCancel() {}
};

// What a progress window reports back: its Cancel button (or Esc, or closing it) and Enter.
class ProgressWindowClient {
 public:
  virtual void OnCancel() = 0;
  virtual void OnOK() = 0;

 protected:
  ~ProgressWindowClient() = default;
};

// A small window with a bar and a caption, open while a long job runs.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void SetRange(int lower, int upper) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Lets the windows repaint and the window's own buttons work.
  virtual void PumpEvents() = 0;
};

// The main window's services to the rest of the program.
class UiServices {
 public:
  virtual ~UiServices() = default;
  virtual bool HasMainWindow() const = 0;
  virtual void ShowStatusText(const std::string& text) = 0;
  virtual int ShowMessage(const std::string& text, const std::string& caption, int buttons) = 0;
  // The wait cursor; calls nest.
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  // 0 is the arrow; any other id is a tool's own cursor.
  virtual void SetToolCursor(int cursorId) = 0;
  // A copy of the area that holds every view; false when none can be made.
  virtual bool GrabViewArea(Picture* picture) = 0;
  virtual int RunDialog(DialogModel& dialog) = 0;
  // Shows the view found by the model's name without waiting; the model must outlive the window
  // until CloseModelessDialog. Closing a model that has no window does nothing. The close may
  // come from the model's destructor, so it calls nothing of the model.
  virtual void OpenModelessDialog(DialogModel& dialog) = 0;
  virtual void CloseModelessDialog(DialogModel& dialog) = 0;
  // Null when no window could be opened. cancelText labels the Cancel button.
  virtual std::unique_ptr<ProgressWindow> OpenProgressWindow(ProgressWindowClient& client,
                                                             const std::string& cancelText) = 0;
};

// The modal runs of the installed backend. Each holds the command queue while it runs.
int RunMessageBox(const std::string& text, const std::string& caption, int buttons);
// OnInitDialog, the view, then OnOK when the view closed with OK; returns kAnswerOk or
// kAnswerCancel.
int RunModalDialog(DialogModel& dialog);

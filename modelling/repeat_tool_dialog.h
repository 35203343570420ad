#pragma once

#include <functional>

#include "modelling/modeless_window.h"
#include "scene/input_tools.h"
#include "scene/tool.h"
#include "services/data_dialog.h"

// The common part of the Extend and Revolve dialogs: a modeless data-exchange dialog whose tool
// part is the overlay tool, so the vector or the angle can be dragged in the view while it is
// open. A command calls it twice: the first phase opens it; OK posts the command again and the
// second phase reads the values and retires the dialog.
class CRepeatToolDialog : public CTool, public CDataDialog {
 public:
  ~CRepeatToolDialog() override;

  int GetCursorId() const override { return kVectorDragCursor; }

  // Each button runs under a call guard on the tool part. OK posts the command only when every
  // field reads and checks; otherwise the dialog stays open with nothing posted.
  void PressOK() final;
  // Hands the secondary tool back (or asks for the pick tool), then retires the dialog.
  void PressCancel() final;

  bool WindowOpen() const { return window_.IsOpen(); }

  // The command that OK posts, and whose second phase reads this dialog.
  const int commandId;
  // The view's refresh of its fields after the tool part wrote them; it must not run the
  // fields' coupling rules. Cleared when the window closes.
  std::function<void()> onValuesShown;

 protected:
  explicit CRepeatToolDialog(int command);

  void OpenWindow();
  // Writes the members into the texts and has the view show them.
  void ShowValues();

 private:
  ModelessWindow window_{*this};
};

// Set by OK; cleared when a second phase has read the values or a first phase opens a dialog.
extern int RepeatDialogConfirmed;

// Takes the dialog out of the overlay slot: it is destroyed at once, unless one of its own
// calls still runs, and its window closes.
void RetireRepeatDialog(CRepeatToolDialog* dialog);

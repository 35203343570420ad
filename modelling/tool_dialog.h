#pragma once

#include "modelling/modeless_window.h"
#include "platform/ui_services.h"
#include "scene/tool.h"

// A modeless window that is at the same time the scene's default tool: the view's mouse goes to
// the tool part while the window shows the buttons. The scene's default slot owns the object,
// so replacing the default tool (any tool-starting command, Pick, a new document) ends both.
class CToolDialog : public CTool, public DialogModel {
 public:
  // Closes the window when it is still open.
  ~CToolDialog() override;

  // The window's buttons. Each runs under a call guard on the tool part, so a handler that
  // replaces or retires its own tool finishes before the tool is destroyed.
  void PressOK() final;
  void PressCancel() final;

  bool WindowOpen() const { return window_.IsOpen(); }

 protected:
  // Installs the tool part as the default tool; only while a viewport is active, as it would
  // be installed nowhere otherwise, so a command checks that before it makes one.
  CToolDialog() : CTool(0) {}

  // Opens the window; the derived class calls it once its fields are set.
  void OpenWindow() { window_.Open(); }
  void CloseWindow() { window_.Close(); }
  // OK does nothing in the base.
  virtual void OnOKButton() {}
  // Hands the secondary tool back, or (without one) asks for the pick tool, which replaces
  // and ends this one; then the window closes.
  virtual void OnCancelButton();

 private:
  ModelessWindow window_{*this};
};

// Shows the localised string of the id in the status bar.
void ShowPromptString(int stringId);

#include "scene/scene.h"
#include "scene/tool.h"
#include "scene/viewport.h"

// The pane keeps its own view of the buttons held and hands it to the current tool before each
// button call. Once a tool's handler runs, the pane leaves that tool alone: the handler may
// install its successor.

namespace {

CTool* ToolWithButtons(int buttonBits) {
  CTool* tool = GetTool(0);
  if (tool != nullptr) tool->buttonBits = buttonBits;
  return tool;
}

}  // namespace

void CViewport::OnLButtonDblClk(int flags, int pointX, int pointY) {
  SetActiveView(this);
  if (CTool* tool = ToolWithButtons(buttonBits)) tool->OnLButtonDblClk(flags, pointX, pointY);
}

void CViewport::OnLButtonDown(int flags, int pointX, int pointY) {
  if ((buttonBits & kMouseLeftButton) != 0) return;  // a repeated down is not passed on
  buttonBits |= kMouseLeftButton;
  ApplyProjection();
  if (CTool* tool = ToolWithButtons(buttonBits)) tool->OnLButtonDown(flags, pointX, pointY);
}

// Toggles rather than clears: an up this pane never saw go down sets the bit, and the next down
// is then swallowed. The view window keeps stray ups away.
void CViewport::OnLButtonUp(int flags, int pointX, int pointY) {
  buttonBits ^= kMouseLeftButton;
  if (CTool* tool = ToolWithButtons(buttonBits)) tool->OnLButtonUp(flags, pointX, pointY);
}

void CViewport::OnRButtonDblClk(int flags, int pointX, int pointY) {
  SetActiveView(this);
  if (CTool* tool = ToolWithButtons(buttonBits)) tool->OnRButtonDblClk(flags, pointX, pointY);
}

void CViewport::OnRButtonDown(int flags, int pointX, int pointY) {
  if ((buttonBits & kMouseRightButton) != 0) return;
  buttonBits |= kMouseRightButton;
  ApplyProjection();
  if (CTool* tool = ToolWithButtons(buttonBits)) tool->OnRButtonDown(flags, pointX, pointY);
}

void CViewport::OnRButtonUp(int flags, int pointX, int pointY) {
  buttonBits ^= kMouseRightButton;
  if (CTool* tool = ToolWithButtons(buttonBits)) tool->OnRButtonUp(flags, pointX, pointY);
}

void CViewport::OnMouseMove(int flags, int pointX, int pointY) {
  CTool* tool = GetTool(0);
  if (tool != nullptr)
    tool->OnMouseMove(flags | (buttonBits & kMouseLeftButton) | (buttonBits & kMouseRightButton),
                      pointX, pointY);
}

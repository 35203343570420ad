#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/tool.h"
#include "scene/tool_lifetime.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

// The pane keeps its own view of the buttons held and hands it to the current tool before each
// button call. Once a tool's handler runs, the pane leaves that tool alone: the handler may
// install its successor. The call guard keeps a tool that retires itself alive until its handler
// returns; tools retired earlier go before the next event reaches a tool. What a tool draws
// straight into the window (a lasso, a highlight) is shown once the tool returns.

namespace {

using ToolHandler = void (CTool::*)(int flags, int x, int y);

void CallTool(const CViewport& pane, ToolHandler handler, int flags, int x, int y) {
  DestroyRetiredTools();
  CTool* tool = GetTool(0);
  if (tool == nullptr) return;
  ToolCallGuard call(tool);
  const CanvasChangeNotice notice;
  tool->buttonBits = pane.buttonBits;
  RunWithinMemory([&] { (tool->*handler)(flags, x, y); });
}

void DoubleClick(CViewport& pane, ToolHandler handler, int flags, int x, int y) {
  SetActiveView(&pane);
  CallTool(pane, handler, flags, x, y);
}

// A repeated down of a button already held is not passed on.
void Press(CViewport& pane, int button, ToolHandler handler, int flags, int x, int y) {
  if ((pane.buttonBits & button) != 0) return;
  pane.buttonBits |= button;
  pane.ApplyProjection();
  CallTool(pane, handler, flags, x, y);
}

// Toggles rather than clears: an up this pane never saw go down sets the bit, and the next down
// is then swallowed. The view window keeps stray ups away.
void Release(CViewport& pane, int button, ToolHandler handler, int flags, int x, int y) {
  pane.buttonBits ^= button;
  CallTool(pane, handler, flags, x, y);
}

}  // namespace

void CViewport::OnLButtonDblClk(int flags, int pointX, int pointY) {
  DoubleClick(*this, &CTool::OnLButtonDblClk, flags, pointX, pointY);
}

void CViewport::OnLButtonDown(int flags, int pointX, int pointY) {
  Press(*this, kMouseLeftButton, &CTool::OnLButtonDown, flags, pointX, pointY);
}

void CViewport::OnLButtonUp(int flags, int pointX, int pointY) {
  Release(*this, kMouseLeftButton, &CTool::OnLButtonUp, flags, pointX, pointY);
}

void CViewport::OnRButtonDblClk(int flags, int pointX, int pointY) {
  DoubleClick(*this, &CTool::OnRButtonDblClk, flags, pointX, pointY);
}

void CViewport::OnRButtonDown(int flags, int pointX, int pointY) {
  Press(*this, kMouseRightButton, &CTool::OnRButtonDown, flags, pointX, pointY);
}

void CViewport::OnRButtonUp(int flags, int pointX, int pointY) {
  Release(*this, kMouseRightButton, &CTool::OnRButtonUp, flags, pointX, pointY);
}

// Moves carry the buttons the pane holds; the tool's own button bits are left as they are.
void CViewport::OnMouseMove(int flags, int pointX, int pointY) {
  DestroyRetiredTools();
  CTool* tool = GetTool(0);
  if (tool == nullptr) return;
  ToolCallGuard call(tool);
  const CanvasChangeNotice notice;
  const int held = (buttonBits & kMouseLeftButton) | (buttonBits & kMouseRightButton);
  RunWithinMemory([&] { tool->OnMouseMove(flags | held, pointX, pointY); });
}

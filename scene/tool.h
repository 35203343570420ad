#pragma once

#include <cstdint>
#include <string>

#include "kernel/vector3.h"
#include "scene/life_token.h"

class CUndoHistory;
class CViewport;

// Mouse-message key-state bits, with their Windows values.
inline constexpr int kMouseLeftButton = 1;
inline constexpr int kMouseRightButton = 2;
inline constexpr int kMouseShift = 4;
inline constexpr int kMouseControl = 8;

// Base of every interactive mouse tool. The mouse operations take the message's key-state flags
// and the client position in pixels.
class CTool {
 public:
  // Frees the tool; the scene's slots are the installer's business.
  virtual ~CTool();
  CTool(const CTool&) = delete;
  CTool& operator=(const CTool&) = delete;

  // The virtual operations keep this order in every class.
  // 0 is the standard arrow; otherwise the command id of the tool's menu command.
  virtual int GetCursorId() const { return 0; }
  virtual void OnLButtonDblClk(int flags, int x, int y);
  virtual void OnLButtonDown(int flags, int x, int y);
  virtual void OnLButtonUp(int flags, int x, int y);
  virtual void OnRButtonDblClk(int flags, int x, int y);
  // A right press acts as a left double-click unless a tool says otherwise.
  virtual void OnRButtonDown(int flags, int x, int y);
  virtual void OnRButtonUp(int flags, int x, int y);
  virtual void OnMouseMove(int flags, int x, int y);
  // Draws the tool's rubber bands when the viewport refreshes.
  virtual void DrawFeedback(int paneButtonBits);
  virtual void Undo() {}
  virtual void Redo() {}
  // The box of the tool's preview; empty (min above max) in the base.
  virtual void GetBounds(Vector3* min, Vector3* max) const;

  // The viewport the tool serves; null serves whichever viewport is active.
  CViewport* boundViewport = nullptr;
  // The document the tool belongs to; null for none.
  CUndoHistory* ownerHistory = nullptr;
  // Buttons held, set by the viewport before each button call: 1 left, 2 right.
  std::int32_t buttonBits = 0;
  // What the status bar says while the tool runs (its last prompt); empty for none.
  std::string prompt;

  // Tells whoever keeps a pointer to the tool whether it still exists.
  const LifeToken& Life() const { return life_; }

 protected:
  // A bare tool installs itself nowhere.
  CTool();
  // Installs the tool by mode: 0 the default tool, but only while a viewport is active (the old
  // one is retired and the document begins a new undo step); 2 the overlay tool; any other the
  // secondary tool. Every construction retires the overlay tool first. Modes 0 and 2 hand the
  // tool to an owning slot, so such tools are made with new.
  explicit CTool(int mode);

 private:
  friend class ToolCallGuard;
  friend int ToolCallsInProgress(const CTool* tool);
  friend void UnbindToolsFromViewport(const CViewport* viewport);

  // Calls into the tool that have not returned yet.
  int callsInProgress_ = 0;
  // Every tool alive, so that a closing viewport can unbind them all.
  CTool* liveNext_ = nullptr;
  CTool* livePrev_ = nullptr;
  LifeToken life_;
};

// Counts a call into a tool for as long as it lives, so that a tool retired meanwhile is
// destroyed only after the call returns. A null tool is allowed.
class ToolCallGuard {
 public:
  explicit ToolCallGuard(CTool* tool) : tool_(tool) {
    if (tool_ != nullptr) ++tool_->callsInProgress_;
  }
  ~ToolCallGuard() {
    if (tool_ != nullptr) --tool_->callsInProgress_;
  }
  ToolCallGuard(const ToolCallGuard&) = delete;
  ToolCallGuard& operator=(const ToolCallGuard&) = delete;

 private:
  CTool* tool_;
};

int ToolCallsInProgress(const CTool* tool);

// Called when a viewport goes: no tool stays bound to it.
void UnbindToolsFromViewport(const CViewport* viewport);

#pragma once

#include <cstdint>

#include "kernel/vector3.h"

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
  virtual ~CTool() = default;
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

 protected:
  // A bare tool installs itself nowhere.
  CTool() = default;
};

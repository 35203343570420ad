#pragma once

#include <span>
#include <vector>

inline constexpr int kVirtualKeyEscape = 0x1B;

// User input that waits to be handled while a long job runs.
struct HeldInput {
  enum class Kind { kKeyDown, kLeftButtonDown, kRightButtonDown, kWheel };
  Kind kind = Kind::kKeyDown;
  int virtualKey = 0;  // key downs: kVirtualKeyEscape for Esc, 0 for every other key
};

// The abort rule: the first key down decides, Esc asks to stop; then any left or right button
// press or wheel turn asks to stop.
bool UserAbortRequested(std::span<const HeldInput> held);

// Looks at waiting user input without taking it: what it holds is handled normally once control
// is back in the main loop.
class InputMonitor {
 public:
  virtual ~InputMonitor() = default;
  // Gathers what has arrived, unless called while a window paints.
  virtual void Poll() = 0;
  virtual std::vector<HeldInput> Held() const = 0;
};

// Marks a window's painting, during which the monitor must not look for more input.
class PaintingScope {
 public:
  PaintingScope();
  ~PaintingScope();
  PaintingScope(const PaintingScope&) = delete;
  PaintingScope& operator=(const PaintingScope&) = delete;
};
bool InsidePainting();

#pragma once

#include <cstdint>
#include <string>

#include "platform/gl_calls.h"

// An off-screen OpenGL frame: one EGL display on Mesa's surfaceless platform for the whole
// process, one compatibility-profile context and one framebuffer object that follows the pane's
// size. It needs no window system, so the program, the offscreen Qt platform and plain unit
// tests all draw the same way. While a frame is begun, the context is current and the
// fixed-function OpenGL 1.1 calls of libGL draw into the framebuffer.
class GlFrame {
 public:
  using Status = GlFrameStatus;

  // The one frame of the process; it is never torn down during the run.
  static GlFrame& Instance();

  // Makes the context current with a framebuffer of width x height pixels (reallocated when the
  // size changes) and the viewport set to it. Width and height must be positive. Whatever the
  // frames change of the lights, the materials, the matrices and the pixel transfer is back at
  // OpenGL's initial values, so a kept context draws exactly as a new one would.
  Status Begin(int width, int height);
  // Destroys the context and its framebuffer (never the display); the next Begin makes new ones.
  // Only for measuring what a context per frame would cost.
  void ReleaseContext();
  // Reads the colour back as bottom-up rows of blue, green, red, each padded to 4 bytes, which
  // is the layout of the canvas's rows.
  void ReadColour(std::uint8_t* rows) const;
  // Reads the depth buffer back as bottom-up rows of width floats in 0..1.
  void ReadDepth(float* values) const;

  int width() const { return width_; }
  int height() const { return height_; }
  // A line for the log when the last Begin failed.
  const std::string& lastError() const { return lastError_; }

 private:
  GlFrame() = default;
  Status Open();
  Status Resize(int width, int height);

  void* display_ = nullptr;
  void* context_ = nullptr;
  unsigned framebuffer_ = 0;
  unsigned colourBuffer_ = 0;
  unsigned depthBuffer_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool opened_ = false;
  Status openStatus_ = Status::kReady;
  std::string lastError_;
};

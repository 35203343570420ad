#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "kernel/bmp_image.h"
#include "kernel/vector3.h"

// The picture behind the views: one for the whole program, shared by every view and document.
// It is drawn and sampled only while it is shown, named and loaded with a size of at least one
// pixel each way; a name whose file failed to load still counts for HasBackgroundImage.

// How the picture meets the view.
enum BackgroundFitMode {
  kFitActualSize = 0,
  kFitWidth = 1,
  kFitHeight = 2,
  kFitWidthAndHeight = 3,
  kFitAuto = 4,
  kFitLockedToView = 5,
};

// Blue, green, red: the byte order of the picture's rows.
using BackgroundColor = std::array<std::uint8_t, 3>;
BackgroundColor GetBackgroundColor();
// The low three bytes of x as they stand, byte 0 first: the inverse of GetBackgroundColor.
void SetBackgroundColor(int x);
void SetBackgroundColorRGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// From the configured ColorBack.
void ResetBackgroundColor();

// 1 when a file name is set.
int HasBackgroundImage();
void ShowBackgroundImage(int flag);
// The placement in the locked mode: the picture's centre sits on the anchor and its full height
// spans 2 x scale model units.
void SetBackgroundOptions(float anchorX, float anchorY, float anchorZ, float scale);
// A name loads the picture under the wait cursor; none forgets the picture. Either way every
// view redraws. Returns 1 when a picture is now ready to draw.
int SetBackgroundImage(const std::optional<std::string>& fileName, int fitMode);

struct BackgroundPlacement {
  std::optional<std::string> fileName;
  int fitMode = kFitActualSize;
  int shown = 1;
  Vector3 anchor{};
  float scale = 25.0f;
};
BackgroundPlacement GetBackgroundPlacement();
const ImageRecord& BackgroundImage();

// The mapping from the active viewport's pixels to picture pixels (y from the top): picture
// x = xScale x view x + xOffset, likewise y. 0 when there is no picture to draw, no active view,
// or the fit is not finite with positive scales (a view of no size, an image scale of 0).
int ComputeBackgroundFit(double* xOffset, double* yOffset, double* xScale, double* yScale);

// Draws the picture into the active view, on the canvas or inside a GL frame (GlFrameFlag).
void DrawViewBackground();

// The colour at render-frame pixel (x, y): the picture bilinearly sampled, or the background
// colour off the picture, on its last row or column, or while the mapping is unusable.
BackgroundColor GetBackgroundPixel(double x, double y);
// Maps render pixel (x, y) to view pixel (a + c x, b + d y) for GetBackgroundPixel.
void SetBackgroundRenderFrame(float a, float b, float c, float d);

// Start-up and exit of the background state.
void BackgroundImageRecord_Init();
void BackgroundImageRecord_Free();
// Everything as at start-up, colour included.
void ResetViewBackground();

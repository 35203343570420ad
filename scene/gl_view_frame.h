#pragma once

#include <cstdint>
#include <span>

// The OpenGL frame of a shaded view. It draws off screen through the installed GL table and is
// read back into the drawing view: the colour into its window image, then (when no tool preview
// is shown) the depth into its depth raster.
//
// When OpenGL cannot be had, the program says so once ("ChoosePixelFormat failed" or
// "SetPixelFormat failed", caption "Error"), from the main loop after the frame, and draws every
// shaded frame from then on as the pane in the background colour; so does a frame whose zoom is
// not positive and finite.
void RenderFrameGL();

// Draws the source rectangle (measured from the bottom-left) of an imageWidth x imageHeight
// picture of bottom-up 24-bit rows padded to 4 bytes onto the destination rectangle: through the
// canvas outside a GL frame, with glDrawPixels inside one (GlFrameFlag). Inside GL the source
// must lie within the picture and the destination be non-empty, else nothing is drawn.
void DrawImagePixels(int destX, int destY, int destWidth, int destHeight, int sourceX,
                     int sourceY, int sourceWidth, int sourceHeight, int imageWidth,
                     int imageHeight, std::span<const std::uint8_t> rows);

void ResetGlViewFrame();

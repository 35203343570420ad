#pragma once

#include <memory>
#include <vector>

#include "scene/life_token.h"

// Screen depths of a view's last shaded or rendered frame, in the units the model-to-screen
// matrix gives for z; the larger depth is nearer. The view owns it.
struct DepthRaster {
  // width x height values, row 0 at the top.
  std::vector<float> data;
  int width = 0;
  int height = 0;
  // What a frame leaves where it drew nothing (the cleared depth buffer). Every change of size
  // refills the raster with it, so a raster never holds values laid out for another size.
  float emptyDepth = 0.0f;
};

// The depth of a pane of this height where nothing was drawn: the cleared depth buffer of a
// shaded frame, -25 x (height - 1) at every zoom.
float EmptyDepthOfPane(int height);

// Creates the raster when the slot is empty. Sizes of 0 or less change nothing else; a new size
// refills the raster with its empty depth, and an unchanged size keeps the depths. While a view
// frame runs the change waits until the frame is over, and is dropped when the slot's owner is
// gone by then.
void ResizeDepthRaster(std::unique_ptr<DepthRaster>* slot, int width, int height,
                       const LifeToken& slotOwner);
void FreeDepthRaster(std::unique_ptr<DepthRaster>* slot);

// The drawing view's raster; null when it has none.
DepthRaster* DrawingViewDepthRaster();

// The cell at (x, y) of the drawing view's raster, taken modulo its width and height (for
// negative coordinates too). Without a raster, or with an empty one, a scratch cell that every
// call resets to the empty depth of the active pane; what is written to it goes nowhere.
float* GetDepthPixel(int x, int y);

// Samples the drawing view's raster on a (2r + 1) x (2r + 1) grid with step s around (x, y),
// the centre first kept e = r x s inside the pane: rows from y - e downward, each from x - e
// rightward, as triples (column, row, depth), every sample kept within the raster. Without a
// raster every sample carries the pane's empty depth. Returns the end of what it wrote; nothing
// for r below 0.
float* SampleViewDepthGrid(float* out, int r, int s, int x, int y);

// Turns a depth buffer read back bottom-up, values 0 to 1, into the raster's layout in place:
// rows top first, each value v becoming k x (2 v - 1), exactly once.
void ConvertDepthRows(float* values, int width, int height, float k);

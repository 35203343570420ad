#pragma once

#include <cstdint>

// The arithmetic of picture renders, apart from any scene or file.

// How far the slope b turns away from the slope a: 1 - cos of the angle between (1, a) and (1, b),
// in single precision. Next to the outline's -1e20 "nothing" depth it gives 1 or NaN, and the
// outline test is written so that both draw black.
float Bend(float a, float b);

// The outline's white flag at raster point (x, y) of a raster of the given row stride: white
// (true) only when all four bends along x and y stay below the threshold. Reads z up to x + 2
// and y + 2, and x - 1 and y - 1.
bool OutlinePointIsWhite(const float* raster, int stride, int x, int y, float threshold);

// Averages each n x n block of a band of n rows of width pixels (blue, green, red) into one
// pixel of out (width / n pixels), each channel's sum divided by n x n and truncated.
void ReduceBand(const std::uint8_t* band, int width, int n, std::uint8_t* out);

// The resolution field of a picture height at a view's zoom: trunc(zoom x height x 20 + 0.5),
// clamped to the field's int32 range (0 for NaN).
std::int32_t PictureResolution(double zoom, int height);

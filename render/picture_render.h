#pragma once

#include <cstdint>
#include <string>

#include "kernel/picture_row_writer.h"

class CGeomObject;
class CRenderNode;

// Pictures of the design through the scanline engine, written as 24-bit BMP files. Each picture
// is computed at samples x samples points per pixel. A picture takes its path only once every row
// is written: after a cancel or too little memory (message shown) the result is -1, after a
// failed write kPictureNotWritten; no file is left behind and an older picture at the path stays
// as it was.
inline constexpr int kPictureNotWritten = -2;

// What the active view shows, at the picture's height: shaded (outline 0) or as an outline
// drawing whose lines mark where the surface bends by 1 - cos >= 1 / outlineValue. 0 when
// written; -1 or kPictureNotWritten as above, the latter at once when the path cannot take a
// file.
int RenderToPictureFile(const std::string& path, int width, int height, int samples, int outline,
                        int outlineValue);

// The object alone, its -1..1 square filling the picture height, on the current background.
// Results as above.
int RenderObjectToPicture(CGeomObject* object, const std::string& path, int width, int height,
                          int samples);

// The row loops over a raster of W x H samples (W3 x H3 for the outline, three more each way
// than the picture's samples), n x n samples to a pixel, output rows bottom first. The shaded
// band holds n x W pixels; the outline raster W3 x H3 depths. 0 when every row was written, -1
// after a confirmed cancel, kPictureNotWritten after a failed write.
int RenderShadedImage(PictureRowWriter& rows, CRenderNode* tree, int W, int H, int n, std::uint8_t* band);
int RenderImage(PictureRowWriter& rows, CRenderNode* tree, int W3, int H3, int n, float threshold,
                float* raster);

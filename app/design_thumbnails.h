#pragma once

#include <string>

#include "platform/raster_canvas.h"

// The pictures of the sample-design browser, 100 x 100.
inline constexpr int kThumbnailSide = 100;

// The picture of a design without a readable picture of its own: a light grey square with a
// grey frame and a ring outline.
RasterCanvas PlaceholderPicture();
// The BMP picture at path made 100 x 100 (stretched by nearest pixel unless it is that size
// already), or the placeholder when it does not read.
RasterCanvas ThumbnailOf(const std::string& path);

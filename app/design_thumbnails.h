#pragma once

#include <string>

#include "platform/raster_canvas.h"
#include "services/thumbnails.h"

// The pictures of the sample-design browser, 100 x 100.

// The picture of a design without a readable picture of its own: a light grey square with a
// grey frame and a ring outline.
RasterCanvas PlaceholderPicture();
// The BMP picture at path made 100 x 100 (stretched by nearest pixel unless it is that size
// already), or the placeholder when it does not read.
inline RasterCanvas ThumbnailOf(const std::string& path) { return PictureThumbnail(path, &PlaceholderPicture); }

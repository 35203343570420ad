#pragma once

#include <string>

#include "platform/raster_canvas.h"

// The pictures of the browsers' icon lists.
inline constexpr int kThumbnailSide = 100;

// The BMP picture at path made kThumbnailSide square: copied as it is at that size, otherwise
// stretched by nearest pixel. What does not read as a picture gives the placeholder.
RasterCanvas PictureThumbnail(const std::string& path, RasterCanvas (*placeholder)());

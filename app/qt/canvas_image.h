#pragma once

#include <QImage>

#include "platform/raster_canvas.h"

// A copy of the canvas as a picture, top row first.
QImage ImageOfCanvas(const RasterCanvas& canvas);
// A copy of the picture as a canvas of its size.
RasterCanvas CanvasOfImage(const QImage& image);

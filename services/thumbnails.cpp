#include "services/thumbnails.h"

#include "kernel/bmp_image.h"

RasterCanvas PictureThumbnail(const std::string& path, RasterCanvas (*placeholder)()) {
  ImageRecord image;
  if (LoadBmpFile(path, &image) != 1) return placeholder();
  RasterCanvas canvas(kThumbnailSide, kThumbnailSide);
  if (image.width == kThumbnailSide && image.height == kThumbnailSide) {
    canvas.BlitDib(0, 0, image.width, image.height, image.data);
  } else {
    canvas.StretchDib(0, 0, kThumbnailSide, kThumbnailSide, 0, 0, image.width, image.height, image.width,
                      image.height, image.data);
  }
  return canvas;
}

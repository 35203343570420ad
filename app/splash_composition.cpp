#include "app/splash_composition.h"

#include <algorithm>

#include "kernel/bmp_image.h"
#include "platform/program_folder.h"

RasterCanvas ComposeSplash(const std::string& picturePath, const RasterCanvas& logo) {
  RasterCanvas canvas(kSplashWidth, kSplashHeight);
  canvas.FillSolidRect(0, 0, kSplashLeftWidth, kSplashHeight, kSplashLeftColor);
  canvas.FillSolidRect(kSplashLeftWidth, 0, kSplashWidth, kSplashHeight, kSplashRightColor);
  ImageRecord picture;
  if (LoadBmpFile(picturePath, &picture) == 1) {
    const int width = std::min(picture.width, kSplashPictureWidth);
    const int height = std::min(picture.height, kSplashHeight);
    // The picture's bottom rows, one to one, onto the canvas's bottom rows.
    canvas.StretchDib(0, kSplashHeight - height, width, height, 0, 0, width, height, picture.width, picture.height,
                      picture.data);
  }
  canvas.BlitDib(kLogoX, kLogoY, logo.width(), logo.height(), logo.rows());
  return canvas;
}

std::string SplashPicturePath() { return GetProgramDir() + "splash.bmp"; }

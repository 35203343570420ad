// A picture file where the program takes one besides Open Picture: the view background in each
// fit mode (loaded, drawn into a view and sampled for a render frame), the splash window's
// picture, a sample design's and a material's thumbnail, and a conversion through the BMP codec.
#include "app/design_thumbnails.h"
#include "app/splash_composition.h"
#include "fuzz_support.h"
#include "render/material_browser.h"
#include "scene/scene.h"
#include "scene/view_background.h"
#include "scene/viewport.h"
#include "services/bmp_picture_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("picture.bmp", data, size);
  CViewport view;
  view.SetSize(64, 48);
  view.SetAxes(0, 2, 1, 1, 1, -1);
  SetActiveView(&view);
  for (int mode = kFitActualSize; mode <= kFitLockedToView; ++mode) {
    SetBackgroundImage(path, mode);
    DrawViewBackground();
    SetBackgroundRenderFrame(0.0f, 0.0f, 1.0f, 1.0f);
    for (int y = 0; y < 48; y += 7) {
      for (int x = 0; x < 64; x += 5) GetBackgroundPixel(x, y);
    }
  }
  SetBackgroundImage(std::nullopt, kFitActualSize);
  SetActiveView(nullptr);
  ComposeSplash(path, RasterCanvas(245, 45));
  ThumbnailOf(path);
  PictureThumbnail(path, &MaterialPlaceholderPicture);
  Picture picture;
  BmpPictureCodec().Load(path, &picture);
  return 0;
}

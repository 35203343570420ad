#include "app/design_thumbnails.h"

#include <cmath>
#include <numbers>

namespace {

constexpr ColorRef kPlaceholderFill = 0xC8C8C8;
constexpr ColorRef kPlaceholderLines = 0x808080;
constexpr int kRingSegments = 48;

void Circle(RasterCanvas& canvas, double radius) {
  const double centre = kThumbnailSide / 2.0;
  for (int i = 0; i <= kRingSegments; ++i) {
    const double angle = 2 * std::numbers::pi * i / kRingSegments;
    const int x = static_cast<int>(std::lround(centre + radius * std::cos(angle)));
    const int y = static_cast<int>(std::lround(centre + radius * std::sin(angle)));
    if (i == 0) {
      canvas.MoveTo(x, y);
    } else {
      canvas.LineTo(x, y);
    }
  }
}

}  // namespace

RasterCanvas PlaceholderPicture() {
  RasterCanvas canvas(kThumbnailSide, kThumbnailSide);
  canvas.FillSolidRect(0, 0, kThumbnailSide, kThumbnailSide, kPlaceholderLines);
  canvas.FillSolidRect(1, 1, kThumbnailSide - 1, kThumbnailSide - 1, kPlaceholderFill);
  canvas.SetPenColor(kPlaceholderLines);
  Circle(canvas, 34);
  Circle(canvas, 26);
  return canvas;
}

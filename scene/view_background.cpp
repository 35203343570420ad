#include "scene/view_background.h"

#include <algorithm>
#include <cmath>

#include "kernel/matrix4.h"
#include "scene/drawing_context.h"
#include "scene/gl_view_frame.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"
#include "scene/viewport.h"
#include "services/app_settings.h"
#include "services/ui_utilities.h"

namespace {

constexpr BackgroundColor kInitialColor = {228, 228, 228};

struct RenderMapping {
  double xScale = 0, yScale = 0, xOffset = 0, yOffset = 0;
  bool usable = false;
};

struct BackgroundState {
  BackgroundColor color = kInitialColor;
  BackgroundPlacement placement;
  ImageRecord image;
  RenderMapping render;
};

BackgroundState background;

bool PictureReady() {
  const BackgroundState& s = background;
  return s.placement.shown != 0 && s.placement.fileName.has_value() && s.image.width >= 1 &&
         s.image.height >= 1 && !s.image.data.empty();
}

// One axis of the drawing: the destination and source spans [low, high) in whole pixels, each
// clamped into its own range, so that far fits never reach an int conversion out of range.
struct EdgeSpan {
  int destLow, destHigh, sourceLow, sourceHigh;
};

EdgeSpan Edges(double offset, double scale, int viewSize, int imageSize) {
  double destLow = 0, sourceLow = 0;
  if (offset > 0) {
    sourceLow = std::floor(offset + 0.5);
  } else {
    destLow = std::floor(0.5 - offset / scale);
  }
  double destHigh = viewSize;
  double sourceHigh = std::floor(viewSize * scale + offset + 0.5);
  if (!(sourceHigh < imageSize)) {
    destHigh = std::floor((imageSize - offset) / scale + 0.5);
    sourceHigh = imageSize;
  }
  auto clamp = [](double value, int high) { return static_cast<int>(std::clamp(value, 0.0, double(high))); };
  return {clamp(destLow, viewSize), clamp(destHigh, viewSize), clamp(sourceLow, imageSize),
          clamp(sourceHigh, imageSize)};
}

}  // namespace

BackgroundColor GetBackgroundColor() { return background.color; }

void SetBackgroundColor(int x) {
  const auto bits = static_cast<std::uint32_t>(x);
  background.color = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                 static_cast<std::uint8_t>(bits >> 16)};
}

void SetBackgroundColorRGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  background.color = {blue, green, red};
}

void ResetBackgroundColor() {
  SetBackgroundColorRGB(static_cast<std::uint8_t>(ColorBack), static_cast<std::uint8_t>(ColorBack >> 8),
                        static_cast<std::uint8_t>(ColorBack >> 16));
}

int HasBackgroundImage() { return background.placement.fileName.has_value() ? 1 : 0; }

void ShowBackgroundImage(int flag) { background.placement.shown = flag; }

void SetBackgroundOptions(float anchorX, float anchorY, float anchorZ, float scale) {
  background.placement.anchor = {anchorX, anchorY, anchorZ};
  background.placement.scale = scale;
}

int SetBackgroundImage(const std::optional<std::string>& fileName, int fitMode) {
  background.placement.fileName = fileName;
  if (fileName) {
    background.placement.fitMode = fitMode;
    WaitCursor wait;
    background.image = ImageRecord();
    LoadBmpFile(*fileName, &background.image);
  }
  RedrawAllViews();
  return PictureReady() ? 1 : 0;
}

BackgroundPlacement GetBackgroundPlacement() { return background.placement; }

const ImageRecord& BackgroundImage() { return background.image; }

int ComputeBackgroundFit(double* xOffset, double* yOffset, double* xScale, double* yScale) {
  const CViewport* view = GetActiveView();
  if (!PictureReady() || view == nullptr) return 0;
  const double iw = background.image.width;
  const double ih = background.image.height;
  const double w = view->width;
  const double h = view->height;
  double sx = 0, sy = 0, ox = 0, oy = 0;
  if (background.placement.fitMode == kFitLockedToView) {
    ApplyActiveViewProjection();
    const Matrix4 m = GetViewTransform();
    const int vertical = GetViewAxis(1);
    sx = sy = ih / std::fabs(double(m.at(vertical, 1)) * background.placement.scale * 2.0);
    const Vector3 anchor = TransformPoint(background.placement.anchor, m);
    ox = iw * 0.5 - sx * anchor.x;
    oy = ih * 0.5 - sy * anchor.y;
  } else {
    sx = iw / w;
    sy = ih / h;
    switch (background.placement.fitMode) {
      case kFitActualSize: sx = sy = 1; break;
      case kFitWidth: sy = sx; break;
      case kFitHeight: sx = sy; break;
      case kFitAuto: sx = sy = std::min(sx, sy); break;
      default: break;
    }
    ox = (iw - w * sx) * 0.5;
    oy = (ih - h * sy) * 0.5;
  }
  if (!(std::isfinite(sx) && std::isfinite(sy) && sx > 0 && sy > 0 && std::isfinite(ox) && std::isfinite(oy))) {
    return 0;
  }
  *xOffset = ox, *yOffset = oy, *xScale = sx, *yScale = sy;
  return 1;
}

void DrawViewBackground() {
  double ox = 0, oy = 0, sx = 0, sy = 0;
  if (ComputeBackgroundFit(&ox, &oy, &sx, &sy) == 0) return;
  const CViewport& view = *GetActiveView();
  const ImageRecord& image = background.image;
  const EdgeSpan across = Edges(ox, sx, view.width, image.width);
  const EdgeSpan down = Edges(oy, sy, view.height, image.height);
  const int destWidth = across.destHigh - across.destLow;
  const int destHeight = down.destHigh - down.destLow;
  const int sourceWidth = across.sourceHigh - across.sourceLow;
  const int sourceHeight = down.sourceHigh - down.sourceLow;
  if (destWidth < 1 || destHeight < 1 || sourceWidth < 1 || sourceHeight < 1) return;
  // The picture's rows run bottom up, so the source rectangle is measured from the bottom.
  DrawImagePixels(across.destLow, down.destLow, destWidth, destHeight, across.sourceLow,
                  image.height - down.sourceHigh, sourceWidth, sourceHeight, image.width, image.height,
                  image.data);
}

BackgroundColor GetBackgroundPixel(double x, double y) {
  const RenderMapping& map = background.render;
  const ImageRecord& image = background.image;
  if (!PictureReady() || !map.usable) return background.color;
  const double u = map.xScale * x + map.xOffset;
  const double v = map.yScale * y + map.yOffset;
  // Written so that NaN fails too.
  if (!(u >= 0 && u < image.width - 1) || !(v >= 0 && v < image.height - 1)) return background.color;
  const int i = static_cast<int>(u);
  const int j = static_cast<int>(v);
  const double fu = u - i;
  const double fv = v - j;
  auto pixel = [&](int row, int column, int c) {
    return double(image.data[static_cast<std::size_t>(row) * static_cast<std::size_t>(image.rowBytes) +
                             static_cast<std::size_t>(column) * 3 + static_cast<std::size_t>(c)]);
  };
  BackgroundColor result{};
  for (int c = 0; c < 3; ++c) {
    const double value = (1 - fv) * (fu * pixel(j, i + 1, c) + (1 - fu) * pixel(j, i, c)) +
                         fv * (fu * pixel(j + 1, i + 1, c) + (1 - fu) * pixel(j + 1, i, c));
    result[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(value);
  }
  return result;
}

void SetBackgroundRenderFrame(float a, float b, float c, float d) {
  if (!PictureReady()) return;
  double ox = 0, oy = 0, sx = 0, sy = 0;
  RenderMapping& map = background.render;
  map.usable = ComputeBackgroundFit(&ox, &oy, &sx, &sy) != 0;
  if (!map.usable) return;
  map.xOffset = sx * a + ox;
  map.xScale = sx * c;
  // Render rows run top down, picture rows bottom up.
  map.yOffset = background.image.height - 1 - (sy * b + oy);
  map.yScale = -(sy * d);
}

void BackgroundImageRecord_Init() {
  background.placement = BackgroundPlacement();
  background.image = ImageRecord();
  background.render = RenderMapping();
}

void BackgroundImageRecord_Free() {
  background.placement.fileName.reset();
  background.image = ImageRecord();
}

void ResetViewBackground() {
  BackgroundImageRecord_Free();
  BackgroundImageRecord_Init();
  background.color = kInitialColor;
}

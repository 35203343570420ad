#include "scene/depth_raster.h"

#include <algorithm>
#include <cstddef>

#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/render_view.h"
#include "scene/viewport.h"

namespace {

float scratchCell = 0.0f;

// The drawing view's raster when it holds cells.
DepthRaster* FilledRaster() {
  DepthRaster* raster = DrawingViewDepthRaster();
  if (raster == nullptr || raster->width <= 0 || raster->height <= 0) return nullptr;
  return raster;
}

int Wrap(int value, int size) {
  const int rest = value % size;
  return rest < 0 ? rest + size : rest;
}

int ActivePaneWidth() { return GetActiveView() != nullptr ? GetActiveView()->width : 0; }
int ActivePaneHeight() { return GetActiveView() != nullptr ? GetActiveView()->height : 0; }

// The centre of a sample grid of half-size e within a side of the given size.
int ClampCentre(int value, int e, int size) {
  if (value < e) return e;
  return value > size - e - 1 ? size - e - 1 : value;
}

}  // namespace

float EmptyDepthOfPane(int height) { return -25.0f * static_cast<float>(std::max(height - 1, 0)); }

void ResizeDepthRaster(std::unique_ptr<DepthRaster>* slot, int width, int height,
                       const LifeToken& slotOwner) {
  // The raster of the view being drawn must keep its cells until the frame is done. The guard
  // runs the work only while the owner, and so its token, still exists.
  if (ViewFrameRunning()) {
    RunAfterViewFrame(slotOwner.Guard(
        [slot, width, height, &slotOwner] { ResizeDepthRaster(slot, width, height, slotOwner); }));
    return;
  }
  if (*slot == nullptr) *slot = std::make_unique<DepthRaster>();
  if (width <= 0 || height <= 0) return;
  DepthRaster& raster = **slot;
  if (width == raster.width && height == raster.height) return;
  raster.width = width;
  raster.height = height;
  raster.emptyDepth = EmptyDepthOfPane(height);
  raster.data.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                     raster.emptyDepth);
}

void FreeDepthRaster(std::unique_ptr<DepthRaster>* slot) { slot->reset(); }

DepthRaster* DrawingViewDepthRaster() {
  CanvasView* view = GetDrawingView();
  return view != nullptr ? view->ViewDepthRaster() : nullptr;
}

float* GetDepthPixel(int x, int y) {
  DepthRaster* raster = FilledRaster();
  if (raster == nullptr) {
    scratchCell = EmptyDepthOfPane(ActivePaneHeight());
    return &scratchCell;
  }
  return &raster->data[static_cast<std::size_t>(Wrap(y, raster->height)) *
                           static_cast<std::size_t>(raster->width) +
                       static_cast<std::size_t>(Wrap(x, raster->width))];
}

float* SampleViewDepthGrid(float* out, int r, int s, int x, int y) {
  if (r < 0) return out;
  const DepthRaster* raster = FilledRaster();
  const int width = raster != nullptr ? raster->width : ActivePaneWidth();
  const int height = raster != nullptr ? raster->height : ActivePaneHeight();
  const int e = r * s;
  x = ClampCentre(x, e, width);
  y = ClampCentre(y, e, height);
  for (int i = 0; i <= 2 * r; ++i) {
    for (int j = 0; j <= 2 * r; ++j) {
      int column = x - e + j * s;
      int row = y - e + i * s;
      float depth = EmptyDepthOfPane(height);
      if (raster != nullptr) {
        column = std::clamp(column, 0, width - 1);
        row = std::clamp(row, 0, height - 1);
        depth = raster->data[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                             static_cast<std::size_t>(column)];
      }
      *out++ = static_cast<float>(column);
      *out++ = static_cast<float>(row);
      *out++ = depth;
    }
  }
  return out;
}

void ConvertDepthRows(float* values, int width, int height, float k) {
  if (width <= 0 || height <= 0) return;
  const std::size_t row = static_cast<std::size_t>(width);
  for (int i = 0; i < height / 2; ++i) {
    std::swap_ranges(values + i * row, values + (i + 1) * row, values + (height - 1 - i) * row);
  }
  std::transform(values, values + row * static_cast<std::size_t>(height), values,
                 [k](float v) { return k * (2.0f * v - 1.0f); });
}

#include "scene/depth_raster.h"

#include <algorithm>
#include <cstddef>

float EmptyDepthOfPane(int height) { return -25.0f * static_cast<float>(std::max(height - 1, 0)); }

void ResizeDepthRaster(std::unique_ptr<DepthRaster>* slot, int width, int height) {
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

void ConvertDepthRows(float* values, int width, int height, float k) {
  if (width <= 0 || height <= 0) return;
  const std::size_t row = static_cast<std::size_t>(width);
  for (int i = 0; i < height / 2; ++i) {
    std::swap_ranges(values + i * row, values + (i + 1) * row, values + (height - 1 - i) * row);
  }
  std::transform(values, values + row * static_cast<std::size_t>(height), values,
                 [k](float v) { return k * (2.0f * v - 1.0f); });
}

#include "scene/draw_color_index.h"

#include <algorithm>

#include "app/core/app_settings.h"
#include "app/core/layer_table.h"
#include "scene/drawing_context.h"

ColorRef SetDrawColorIndex(int which, int index) {
  if (which == 1) return SetDrawColor(ColorPick);
  // Files keep layers of 20 and above; such objects are not shown, but control-point markers
  // are still drawn by layer colour.
  return SetDrawColor(LayerColors[static_cast<std::size_t>(std::clamp(index, 0, kLayerCount - 1))]);
}

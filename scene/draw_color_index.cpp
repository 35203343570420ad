#include "scene/draw_color_index.h"

#include <algorithm>

#include "scene/drawing_context.h"
#include "services/app_settings.h"
#include "services/layer_table.h"

ColorRef SetDrawColorIndex(int which, int index) {
  if (which == 1) return SetDrawColor(ColorPick);
  // Files keep layers of 20 and above; such objects are not shown, but control-point markers
  // are still drawn by layer colour.
  return SetDrawColor(LayerColors[static_cast<std::size_t>(std::clamp(index, 0, kLayerCount - 1))]);
}

#include "platform/font_choice.h"

#include <algorithm>
#include <cmath>

int EmHeightFromFontSize(double points, int pixels) {
  if (pixels > 0) return std::clamp(pixels, 1, 1000);
  if (!std::isfinite(points)) return 1;
  return static_cast<int>(std::clamp(std::round(points * 96.0 / 72.0), 1.0, 1000.0));
}

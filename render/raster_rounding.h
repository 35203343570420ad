#pragma once

#include <cmath>
#include <cstdint>

// Row and column numbers from coordinates. Every value is saturated to +-2^30 (NaN to the low
// end), so far-off or broken coordinates cannot overflow the conversion; the rows and columns a
// driver visits lie well inside that range.
inline std::int32_t SaturatedInt(float whole) {
  constexpr float kLimit = 1073741824.0f;
  if (!(whole > -kLimit)) return -(1 << 30);
  if (whole > kLimit) return 1 << 30;
  return static_cast<std::int32_t>(whole);
}

// The engine rounds up as trunc(v + 0.9999), which differs from ceil for negative values and for
// values just above a whole number.
inline std::int32_t RoundUpCoordinate(float v) { return SaturatedInt(std::trunc(v + 0.9999f)); }

inline std::int32_t CeilCoordinate(float v) { return SaturatedInt(std::ceil(v)); }

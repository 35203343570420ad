#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "kernel/vector3.h"

// A point by the bits of its coordinates: copies of one point share a key, and an ordered map of
// keys finds a point among thousands without comparing floats.
using PointKey = std::array<std::uint32_t, 3>;

inline PointKey KeyOf(Vector3 p) {
  return {std::bit_cast<std::uint32_t>(p.x), std::bit_cast<std::uint32_t>(p.y), std::bit_cast<std::uint32_t>(p.z)};
}

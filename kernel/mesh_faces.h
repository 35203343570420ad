#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "kernel/vector3.h"

// The faces of a mesh that every consumer of its geometry (shading, rendering, export) may use,
// in order: fn(first, size) for each face whose indices all name one of the points, with first
// its place in the index list. A mesh made in memory is not checked the way a read one is, so a
// face naming a missing point is skipped, and the walk ends at a negative size or one that runs
// past the index list.
template <class Fn>
void ForEachUsableFace(std::span<const Vector3> points, std::span<const std::int32_t> indices,
                       std::span<const std::int32_t> faceSizes, Fn&& fn) {
  std::size_t next = 0;
  for (const std::int32_t size : faceSizes) {
    if (size < 0 || static_cast<std::size_t>(size) > indices.size() - next) return;
    const std::size_t first = next;
    next += static_cast<std::size_t>(size);
    bool inside = true;
    for (std::size_t k = first; k < next && inside; ++k) {
      inside = indices[k] >= 0 && static_cast<std::size_t>(indices[k]) < points.size();
    }
    if (inside) fn(first, static_cast<std::size_t>(size));
  }
}

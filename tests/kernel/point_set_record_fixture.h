#pragma once

#include <cstdint>
#include <vector>

#include "kernel/vector3.h"
#include "support/scratch_file.h"

// The bytes a fresh object's point-set record is made of: kind code, state 0 and layer 0, the
// identity orientation, flags word 0, the start mapping frame, no material name, then the count
// and each point with its mark.
inline Bytes PointSetRecordBytes(std::int32_t kind, const std::vector<Vector3>& points,
                                 const std::vector<std::int32_t>& marks) {
  Bytes bytes;
  Append<std::int32_t>(&bytes, kind);
  Append<std::int32_t>(&bytes, 0);
  for (int e = 0; e < 16; ++e) Append<float>(&bytes, e % 5 == 0 ? 1.0f : 0.0f);
  Append<std::int32_t>(&bytes, 0);
  for (int e = 0; e < 16; ++e) Append<float>(&bytes, e == 15 ? 1.0f : 0.0f);
  Append<std::int32_t>(&bytes, 0);
  Append<std::int32_t>(&bytes, static_cast<std::int32_t>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) {
    Append<float>(&bytes, points[i].x);
    Append<float>(&bytes, points[i].y);
    Append<float>(&bytes, points[i].z);
    Append<std::int32_t>(&bytes, marks[i]);
  }
  return bytes;
}

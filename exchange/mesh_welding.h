#pragma once

#include <cstdint>
#include <vector>

#include "kernel/vector3.h"

// The vertices of an imported mesh after equal points were merged.
struct WeldedMesh {
  // The unique points, in the order they first appear.
  std::vector<Vector3> points;
  // remap[i]: the unique number of input point i.
  std::vector<std::int32_t> remap;
};

// Merges the points of an imported triangle soup. The bounding box is cut into 32 x 32 x 32 cells
// whose boundaries are found in float by repeated addition of a 32nd of the extent; a point's
// cell on an axis is the number of boundaries not above its coordinate. Within its cell, a point
// takes the newest unique point that VectorsEqual matches, else becomes a new unique point. Points
// in different cells never merge, even when closer than the tolerance: the DXF and STL importers
// share this one rule, so a mesh reads the same from either format.
WeldedMesh BuildWeldedMesh(const std::vector<Vector3>& points);

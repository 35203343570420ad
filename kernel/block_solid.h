#pragma once

#include <cstdint>
#include <vector>

#include "kernel/vector3.h"

class CBlockObject;

// A block as one closed surface of triangles facing out, in the coordinates its placement carries
// it to, laid out as a mesh's faces (every face of three points). Each profile outline is
// tessellated once, at the profile's own steps, and every wall, end piece and end face is made of
// those points: neighbouring pieces share their boundary points exactly (the end faces hold copies
// of them, so that smooth shading keeps the edge), so shading, rendering, slicing and the
// triangle exports all see one solid without cracks at its seams.
struct BlockSolid {
  std::vector<Vector3> points;
  std::vector<std::int32_t> faceIndices;
  std::vector<std::int32_t> faceSizes;
};

// Empty for a block whose axes or profile tables do not fit; profiles of fewer than 3 points
// are left out.
BlockSolid TessellateBlock(const CBlockObject& block);

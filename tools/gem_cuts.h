#pragma once

#include <cstdint>
#include <vector>

#include "kernel/vector3.h"

// The geometry of one gem prototype: vertices, and faces as runs of vertex indices, each face
// planar, convex and wound counter-clockwise seen from outside.
struct GemCut {
  std::vector<Vector3> points;
  std::vector<std::int32_t> faceSizes;
  std::vector<std::int32_t> faceIndices;
};

// The ten cuts of the gem library, in library order.
std::vector<GemCut> BuildGemCuts();

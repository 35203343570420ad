#pragma once

#include <cstdint>
#include <functional>

#include "kernel/vector3.h"

// The outlines of one polygon handed to the triangulation together take at most this many points
// wherever a step count from a file sets them: the triangulation costs about their square. Far
// beyond the outline of any face a design shows.
inline constexpr std::int64_t kMaxTriangulatedPoints = 4096;

// Receives each triangle as its tip and the tip's ring neighbours, next then previous.
using TriangleSink = std::function<void(Vector3 tip, Vector3 next, Vector3 previous)>;

// How the sweep orders corners level with each other. In the order the rings give them: the
// triangles drawings and exports have always had. Along the line: every ear is then cut at a
// corner of the remaining rings' hull, so no triangle is cut flat at a corner between two level
// neighbours, and none turns the other way; outlines sampled along a grid, with many corners to a
// line, need this.
enum class LevelCorners { kInGivenOrder, kAlongTheLine };

// Splits a planar polygon given as ringCount closed rings (an outer ring and its holes, with
// the windings the callers' rings define) into triangles, emitted in the order found, by ear
// clipping along a sweep of one plane axis. Rings of fewer than 3 points are skipped. Input that
// is not a set of simple, non-crossing rings gives whatever triangles the sweep finds, and still
// finishes.
void TriangulatePolygons(int ringCount, const int* ringSizes, const Vector3* const* rings,
                         const TriangleSink& emitTriangle, LevelCorners level = LevelCorners::kInGivenOrder);

#pragma once

#include <cstddef>
#include <functional>

struct CrossingEntry;

// A point of a layer's outline: its depth along the ray and its column, both in grid steps.
struct ContourPoint {
  ContourPoint* next;
  float depth;
  float column;
};

// A closed ring of points linked by next from first; the last point's next is null.
struct SliceContour {
  SliceContour* next;
  ContourPoint* first;
  int pointCount;
};

// Links the crossing lists of one engine row into the layer's outline rings: outer rings turn
// counter-clockwise and holes clockwise in (depth, column), straight runs from one span collapse
// to their ends. A span that stays one column wide joins the ring of the span that ends or begins
// beside it in the next column (a slanted tip's last column does not overlap the one before);
// alone it is dropped. columnList(c) gives column c's
// crossing list (null when empty) for c = 0 .. columns - 1 in order; each list goes back to the
// engine's pool once read. The rings come from the slicer's pools; give them back with
// ReleaseSliceContours.
SliceContour* TraceLayerContours(int columns, const std::function<CrossingEntry*(int column)>& columnList);

void ReleaseSliceContours(SliceContour* contours);

// Frees the blocks of the contour, ring and strand pools.
void FreeSliceContourPools();

// Blocks of 1024 records held at most by the contour and strand pools, for measurements.
std::size_t MostSliceContourBlocks();

#pragma once

#include <string>

struct SliceContour;

// One-side meshes of the visible design for milling: the 3-axis form keeps, per X-Y grid point,
// the highest surface and the deepest crossing below it; the rotary form keeps, per slice across
// y and per angular bin about the y axis, the largest and the smallest radius. Format 0 writes
// ASCII STL, 1 binary STL. A cancel, a failed write or too little memory writes nothing and
// leaves an older file of that name as it was; a grid above kMostHeightGridCells shows 10014.

inline constexpr double kMostHeightGridCells = 1 << 28;

// No result: nothing visible writes nothing.
void WriteNcSlices3Axis(const std::string& path, float xResolution, float yResolution, int format);
// The Y resolution comes before the angular one, in degrees.
void WriteNcSlicesRotary(const std::string& path, float yResolution, float angularResolution, int format);

// True when the mesh file was committed.
bool SampleTopBottomGrid(float xmin, float ymin, float zmin, float xmax, float ymax, float zmax, float sx, float sy,
                         float sz, const std::string& path, int format);
bool SampleRadiusGrid(float xmin, float ymin, float zmin, float xmax, float ymax, float zmax, float sx, float sy,
                      float sz, float angularResolution, const std::string& path, int format);

// Reduces one slice's rings, in cross-section steps about the axis (column x, depth z), to the
// largest (buffer[0..B-1], from 0) and smallest positive (buffer[B..2B-1], from 1e8) radius
// where each bin's ray from the axis crosses them. When the axis lies inside the rings (an odd
// number of them around it), the solid reaches the axis: every bin's smallest radius is 0.
void FillRadialExtents(const SliceContour* contours, float* buffer, const float* cosTable, const float* sinTable,
                       float binsPerRadian, int bins);

#pragma once

#include <array>
#include <span>
#include <string>

#include "kernel/matrix4.h"

// The band between a top and a bottom height field (or an outer and an inner radius field) as
// triangles: per grid cell of corners A (j, i), B (j+1, i), C (j, i+1), D (j+1, i+1), tops and
// bottoms over solid corners and walls that face the empty ones.

struct CellVertex {
  int corner;  // 0 A, 1 B, 2 C, 3 D
  bool top;    // the top (outer) point, else the bottom (inner) one
};
using CellFacet = std::array<CellVertex, 3>;

// The facets of a cell whose solid corners are the bits of mask (1 A, 2 B, 4 C, 8 D), in the order
// written; each turns anticlockwise seen from outside the band.
std::span<const CellFacet> CellFacets(int mask);

// The grid holds the C x R top depths, then the C x R bottom depths, row by row; inverse maps
// (column, row, depth) back to the model. A corner is solid when its top lies above z = -10000.
// The mesh goes through the program-wide mesh output file and is committed only when every write
// succeeded; a file that cannot be written is named in a message box.
bool WriteHeightGridMesh(const std::string& path, int columns, int rows, const float* grid, const Matrix4& inverse,
                         int format);
// The same over B angular bins around the y axis, bin B-1 joined to bin 0: the grid holds outer
// then inner radii; inverse has element 14 cleared, so a radius comes out as the point's z. A
// corner is solid when its outer radius is above 0.01.
bool WriteHeightGridMeshB(const std::string& path, int bins, int rows, const float* grid, const Matrix4& inverse,
                          float anglePerBin, int format);

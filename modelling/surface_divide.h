#pragma once

#include <vector>

#include "kernel/vector3.h"

class CSurfaceObject;

// Divide ways: 0 both directions, 1 U (every column), 2 V (every row).
inline constexpr int kDivideBoth = 0;
inline constexpr int kDivideU = 1;
inline constexpr int kDivideV = 2;

struct DividedGrid {
  int rows = 0;
  int columns = 0;
  std::vector<Vector3> points;
};

// The control grid of the same surface with s times as many spans in the refined directions;
// empty (0 x 0) when it cannot be made: s below 1, a refined direction with fewer than 4 points
// once its ends are prepared, or a result beyond the kernel's tessellation cap.
DividedGrid DividedSurfaceGrid(const CSurfaceObject& surface, int s, int way);

// Deletes the surface (undo type 2, state -1) and adds a selected copy carrying the grid, with
// cleared marks and its extra pairs scaled by s in the refined directions.
void DivideSurface(CSurfaceObject* surface, const DividedGrid& grid, int s, int way);

// Replaces every selected surface that can be refined by a refined copy, in one deletion level
// that one Undo takes back; a surface that cannot is left as it is, and with none to replace no
// level is pushed.
void DoDivideSurface(int s, int way);

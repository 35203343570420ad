#pragma once

#include <vector>

class CNcPost;

// What the pass writers read while one program is written. Grid cell (row, column) lies at
// x = column * xStep + xOrigin, y = row * yStep + yOrigin; its value is a height below the top of
// the stock (0 the top, negative deeper).
struct NcJob {
  CNcPost* post = nullptr;
  std::vector<float> grid;  // rows x columns, row by row
  bool toAndFro = false;
  bool roughing = true;
  bool fine = true;
  float quantum = 0.001f;
  float zMin = 0.0f;
  float zMax = 0.0f;
  float extraAllowance = 0.0f;
  float allowance = 0.0f;
  float stepDown = 1.0f;
  int roughingRowStep = 1;
  int rows = 0;
  int columns = 0;
  float yStep = 0.1f;
  float xStep = 0.1f;
  float yOrigin = 0.0f;
  float xOrigin = 0.0f;
};

// The whole program: header, the roughing passes from the deepest lift up to the allowance, the
// fine pass, trailer. Cells are cut where their lifted height lies below referenceZ.
void NcWritePasses(const NcJob& job, float referenceZ);
// One raster pass over every rowStep-th row, the grid lifted by lift. Between cells the tool moves
// only up, down or across, rising before it moves over a higher cell and descending after it moved
// over a lower one; moves across at one height are merged into one.
void NcWriteRasterPass(const NcJob& job, int rowStep, float lift, float referenceZ, bool toAndFro);

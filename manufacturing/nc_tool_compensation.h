#pragma once

#include <vector>

struct NcJob;

// The cutting tools of the NC Machining dialog, by index.
enum NcTool { kNcBallPoint = 0, kNcFlatEnd = 1, kNcConical = 2 };

// A quarter kernel: value(i, j) is added to the source height i rows and j columns away (either
// sign); each cell takes the maximum of its candidates (the minimum for an erosion), starting
// from start.
struct NcKernel {
  int rowReach = 0;
  int columnReach = 0;
  std::vector<float> values;  // (rowReach + 1) x (columnReach + 1)
  bool erosion = false;
  float start = -9999.0f;

  float at(int i, int j) const { return values[static_cast<std::size_t>(i) * (columnReach + 1) + j]; }
};

// The kernels. A reach is clamped to the grid's own extent: no neighbour lies beyond it. Values
// are computed in double from the float inputs and stored as float.
NcKernel NcBallKernel(float radius, float shift, float xStep, float yStep, int rows, int columns);
NcKernel NcFlatKernel(float toolRadius, float offset, float xStep, float yStep, int rows, int columns);
NcKernel NcConicalKernel(float toolRadius, float offset, float tipRadius, float tipAngle, float xStep, float yStep,
                         int rows, int columns);

// out := the kernel applied to source (rows x columns, row by row). Each run of columns skips the
// kernel entries whose candidates cannot reach what a few entries near the centre already give
// it, the rest are visited a run at a time per entry, and the rows are shared among threads; the
// result is the same grid, to the last bit, as the cell-by-cell loop gives.
void NcApplyKernel(const float* source, int rows, int columns, const NcKernel& kernel, float* out);

// The job's grid dilated by a ball of radius R lifted by shift (an erosion when radius < 0),
// into out.
void NcBallOffsetGrid(const NcJob& job, float radius, float shift, std::vector<float>* out);

// Replaces the job's grid by the heights of the tool's lowest point touching the surface offset
// by offsetRadius. Throws std::bad_alloc when its copies do not fit.
void NcToolCompensate(NcJob& job, int tool, float toolRadius, float offsetRadius, float tipRadius, float tipAngle);

// The mould of the job's grid: heights at or above 0 negated, those below 0 made 0, then every
// inner cell the minimum of its 3 x 3 neighbourhood, so the cavity grows by one cell each side.
void NcMakeNegative(NcJob& job);

#pragma once

#include <cstdint>

#include "render/render_records.h"

class CRenderNode;

// Paints one pixel (blue, green, red bytes) in material shading from its crossing list, nearest
// first: a transparent front surface lets what lies behind it be painted first. Pairs of front
// crossings closer than 0.001 in depth (a solid too thin to see) are given back to the pool;
// returns what is left of the list, for the caller to give back.
CrossingEntry* ShadeCrossings(CrossingEntry* head, std::uint8_t* pixel, int column, int row);

// Renders the inclusive rectangle of the active view row by row from the top: each row is filled
// with the background, painted from the tree (null draws background only), drawn into the window
// and announced to the active viewport. Stops before a row when the user aborts, leaving the rows
// drawn so far. Keeps the view's depth raster in step with what was painted.
void RenderViewRows(CRenderNode* root, int firstColumn, int lastColumn, int firstRow, int lastRow);

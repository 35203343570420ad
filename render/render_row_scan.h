#pragma once

#include <algorithm>

#include "render/render_node.h"

// Drives one row of the tree by the engine's contract, every column from the root's first in
// order up to columns - 1, and gives each non-empty crossing list to visit, which hands it back
// to the pool. A null tree or a row above the tree's first scans nothing.
template <class Visit>
void ScanRenderRow(CRenderNode* tree, int row, int columns, Visit visit) {
  if (tree == nullptr || row < tree->firstRow) return;
  tree->AdvanceToScanline(row);
  for (int column = std::max(0, tree->firstColumn); column < columns; ++column) {
    if (CrossingEntry* list = tree->GetSpans(column)) visit(column, list);
  }
}

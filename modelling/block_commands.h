#pragma once

#include <vector>

#include "kernel/block_object.h"

// Turns the selected curves into one block: every selected curve is deleted (one deletion level),
// and those of more than 2 points become its profiles in list order, each with its steps per
// span. Axes are the world axes shown along the view's horizontal, vertical and depth axes.
// Nothing selected changes nothing; only curves of 2 points are deleted and make no block.
void CreateBlockFromCurves(int frontType, int backType, float radius, float thickness, int horizontalAxis,
                           int verticalAxis, int depthAxis);

// One block from outlines given in world coordinates: the outlines are stored centred on the
// middle of their span along the first axis, and the block's placement moves them back.
// Returns the block, null without an active viewport or without outlines.
CBlockObject* CreateBlockFromOutlines(std::vector<CBlockObject::Profile> outlines, int frontType, int backType,
                                      float radius, float thickness, int firstAxis, int secondAxis,
                                      int direction);

#pragma once

#include <string>

#include "exchange/import_result.h"

// Reads the rational B-spline surfaces (entity 128) of an IGES file and adds each to the scene,
// selected on the current layer, as a uniform cubic surface that faces out as one made here
// would. A surface whose control points already form our net (a clamped bicubic net with uniform
// knots, as our export writes) keeps them; any other is evaluated exactly, with its own degrees,
// knots and weights, and a net is fitted to it; how far the farthest lies from the file's surface
// is in the result. Every other entity is passed over. Redraws every view once the file was
// opened.
ImportResult IgesImport(const std::string& path);

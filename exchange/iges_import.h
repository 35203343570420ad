#pragma once

#include <string>

#include "exchange/import_result.h"

// Reads the rational B-spline surfaces (entity 128) of an IGES file and adds each to the scene,
// selected on the current layer, as a uniform cubic surface: the control net is taken as a
// clamped bicubic net, tested for closure each way and given our phantom or wrapped ends. Knots,
// weights and every other entity are passed over. Redraws every view once the file was opened.
ImportResult IgesImport(const std::string& path);

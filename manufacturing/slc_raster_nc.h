#pragma once

#include <string>

// Stores the hatching settings for the run and turns the slice file into a raster hatching
// program under the wait cursor. False when nothing was written: an interval that is not a
// finite number above 0, a period below 1, a slice file that is damaged or has no "-extents", a
// raster of more than 2^20 rows or 2^27 layer rows, or a failed write (named in a message box).
// An older program then stays as it was.
bool SliceSetup(const std::string& slicePath, const std::string& ncPath, float hatchingInterval, int period,
                float layerThickness);
bool SlcToRasterNc(const std::string& slicePath, const std::string& ncPath);

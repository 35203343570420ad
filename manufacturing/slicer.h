#pragma once

#include <string>

// Cuts the visible design into layers of the thickness and writes their outlines into an SLC 2.0
// file: one closed boundary per contour, outer boundaries counter-clockwise and holes clockwise.
// unit 0 writes millimetres ("MM"), 1 inches ("INCH"); direction 0 slices along z, 1 along x and
// 2 along y. Returns 0 when every layer was written; -1 when the job is refused (a thickness or
// resolution below 0.00001, another unit code, nothing visible with bounds, a grid beyond the
// engine's range), when the file cannot be made or written (the older file stays as it was), when
// memory runs out (10014 shown) or after a cancel, which still commits the layers so far.
int WriteSlicesFile(const std::string& path, int unit, float thickness, float resolution, float multiplierX,
                    float multiplierY, float multiplierZ, float modelScale, float outputScale, int fixedOrigin,
                    int fromZero, int direction);

// Slices the visible design in millimetres (scales 1, direction 0, both flags off) into
// "lumidrex.slc" of the user's exchange folder and hands it on as a capped binary STL at
// meshPath. True only when the slicing wrote every layer and the mesh file was committed.
bool ExportSlicesForRp(const std::string& meshPath, float thickness, float resolution);

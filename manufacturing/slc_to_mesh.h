#pragma once

#include <string>

// Turns an SLC slice file into a mesh file of the current mesh writer: each layer a slab whose
// walls are its boundaries extruded from the previous slab's top (the first: its own z) to z plus
// the thickness, with flat caps when caps is set. mapping 1 places a point (x, y) at height z at
// (-z, y, x), 2 at (x, -z, y), any other at (x, y, z); caps are meant for mapping 0. The layers
// before a damaged or cut record are converted. True when the mesh file was committed, also after
// a cancel, which ends it after the current layer; false when the slice file does not open or the
// mesh file cannot be made or written (an older one stays as it was). Nothing is shown.
bool SlcToMesh(const std::string& slicePath, const std::string& meshPath, float thicknessScale, int caps,
               int mapping);

// Selects the writer (0 ASCII STL, 1 binary STL, 2 DXF, any other keeps the current one) and
// converts with the file's own thickness.
bool ConvertSlcToMesh(const std::string& slicePath, const std::string& meshPath, int format, int caps, int mapping);

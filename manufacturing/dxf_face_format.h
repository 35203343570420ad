#pragma once

#include "kernel/vector3.h"

class OutputFile;

// One 3DFACE entity on a layer with its four corners, each written as the group codes 10+k,
// 20+k and 30+k with "%8.3f" values. Every DXF face uses this layout.
void WriteDxfFace(OutputFile& out, int layer, const Vector3 (&corners)[4]);

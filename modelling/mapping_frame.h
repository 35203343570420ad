#pragma once

class CGeomObject;

// The default texture mapping of an imported object: kind 1, a frame spanning its x-y bounds
// (half extents on the diagonal, centre as translation). An object without finite bounds gets
// the identity frame.
void FitMappingFrameToBounds(CGeomObject* object);

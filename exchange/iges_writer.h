#pragma once

#include <string>

class CGeomObject;

// Writes the shown and selected curves and surfaces from first along the list, and those inside
// Boolean groups, as an IGES file of 80-column lines: curves as rational B-spline curves (entity
// 126) from their control points as stored, surfaces as clamped bicubic rational B-spline
// surfaces (entity 128) of the same shape. Layers are not looked at. True when the file took the
// path's place; on false the file that was there is untouched. It shows nothing.
bool IgesWriter(const CGeomObject* first, const std::string& path);

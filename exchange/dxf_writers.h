#pragma once

#include <string>

class CGeomObject;

// Write the shown or selected objects on visible layers, from first along the list, as a DXF
// file of entities only at path. Each object taken from the list gets a DXF layer number of its
// own, counted from 1, which its group members and gem prototypes share. True when the file took
// the path's place; on false the file that was there is untouched and nothing is left behind.
// They show nothing: the caller decides what to say.

// Every triangle of the surfaces (with their caps) and meshes as a 3DFACE.
bool Dxf3DFaceWriter(const CGeomObject* first, const std::string& path);
// Surfaces, meshes and the walls of blocks as polyface meshes; surface caps and block end faces
// as 3DFACEs.
bool DxfPolylineWriter(const CGeomObject* first, const std::string& path);
// Curves of the list itself, not those inside groups, as 3D polylines through their points.
bool DxfCurvesWriter(const CGeomObject* first, const std::string& path);

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/import_result.h"
#include "kernel/vector3.h"

// The faces read for one DXF layer name: 3DFACE corners as new points, polyface meshes as their
// vertices and faces. Every face is a triangle whose indices name points of this layer mesh.
struct DxfLayerMesh {
  std::string name;
  std::vector<Vector3> points;
  std::vector<std::int32_t> faceSizes;
  std::vector<std::int32_t> faceIndices;
};

// The program keeps the layer meshes of the import under way, and the layer name of the last
// group code 8 read. That name carries over from entity to entity and from one import to the
// next, so an entity without its own layer joins the one read before it. This resets both.
void ResetDxfImportState();

// Reads the entities of an ASCII DXF file into the scene, selected on the current layer: 3DFACE
// entities and polyface meshes become one welded smooth-shaded mesh per DXF layer name (the layer
// met last is added first), LINE, 3DLINE, CIRCLE, ARC and 3D polylines (closed by their flag or by
// a last point that returns to the first) become curves. An entity whose name stands on any value
// line is read as that entity. Left out, and reported as dropped: every other entity of the
// drawing (LWPOLYLINE, INSERT, ...; tables and block definitions are none), faces and curves with
// a coordinate that is not finite, polylines of fewer than two points, polyface faces whose
// indices do not name a vertex of their own polyline, arcs with an angle beyond a million degrees,
// and an entity the end of the file cuts short. A code line that is no integer reports the file
// damaged.
ImportResult DxfImport(const std::string& path);

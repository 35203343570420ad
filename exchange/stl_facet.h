#pragma once

#include "kernel/matrix4.h"
#include "kernel/vector3.h"

// One facet as STL files carry it: the normal, then the corners in order.
struct StlFacet {
  Vector3 normal;
  Vector3 v1;
  Vector3 v2;
  Vector3 v3;
};

// A coordinate on the 0.0001 grid of the object writers.
float RoundToExportGrid(float x);

// The object writers' facet of a walk triangle: the corners placed by the matrix and rounded,
// the normal their cross product, normalised. False for a triangle to drop: an edge from V1 or
// the normal shorter than 1e-8, or a value that is not finite.
bool MakeExportFacet(Vector3 v1, Vector3 v2, Vector3 v3, const Matrix4& placement, StlFacet* out);

// The mesh writers' facet of finished corners, neither placed nor rounded. False when an edge
// from V1 or the normal is zero within 0.0001 on every axis, or a value is not finite.
bool MakeMeshFacet(Vector3 v1, Vector3 v2, Vector3 v3, StlFacet* out);

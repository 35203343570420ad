#pragma once

#include <cstdint>
#include <span>

#include "kernel/geom_object.h"
#include "kernel/matrix4.h"

// Shaded drawing of objects inside a view's OpenGL frame, through the installed GL table, lit by
// the frame's light 0 and coloured by the diffuse material the frame set.

// The inverse of the active viewport's view matrix, set by every shaded frame. The drawing
// context's model matrix times it is an object's own placement, whose handedness decides whether
// mesh normals flip. All zeros but element 15 at start.
extern Matrix4 GlInverseViewMatrix;

// Surfaces, meshes, blocks, Boolean groups and gems (their prototype under GL's matrix, which
// leaves the drawing context's alone); other kinds draw nothing.
void RenderObjectGL(const CGeomObject* object);

// Tessellates a padded control grid of rows x columns (row-major) with the given steps per span
// along the rows and along the columns, and draws it as quads from vertex and normal arrays. The
// normals are tangent U x tangent V for a sign of 1 or more, the reverse below.
void RenderSurfaceGridGL(const Vector3* grid, int rows, int columns, int stepsU, int stepsV,
                         int orientationSign);

// Draws each face as a polygon with flat or crease-aware smooth normals. A face of fewer than 3
// vertices or with an index outside the points is left out, and faces that run past the index
// list end the mesh.
void RenderMeshGL(std::span<const Vector3> points, std::span<const std::int32_t> indices,
                  std::span<const std::int32_t> faceSizes, int flat, int orientationSign);

// Fills a closed B-spline outline as a flat cap: count points, each stride after the previous,
// from first; with an offset above 0 each point is first averaged with the points offset before
// and after it (1 : 4 : 1), which puts the outline on a surface's boundary.
void RenderCapGL(int offset, const Vector3* first, int stride, int count, int steps, int closed,
                 int sign);

// One triangle, as the triangulation hands it over.
void EmitTriangleGL(Vector3 a, Vector3 b, Vector3 c);

void ResetGlShading();

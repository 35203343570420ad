#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "kernel/geom_object.h"
#include "kernel/matrix4.h"

// Shaded drawing of objects inside a view's OpenGL frame, through the installed GL table, lit by
// the frame's light 0 and coloured by the diffuse material the frame set.

// The inverse of the active viewport's view matrix, set by every shaded frame. The drawing
// context's model matrix times it is an object's own placement, whose handedness decides whether
// mesh normals flip. All zeros but element 15 at start.
extern Matrix4 GlInverseViewMatrix;

// Surfaces, meshes, blocks, Boolean groups and gems (their prototype under GL's matrix, which
// leaves the drawing context's alone); other kinds draw nothing. Each surface, mesh and block is
// drawn from the arrays it keeps in its drawing cache, derived again after every change.
void RenderObjectGL(const CGeomObject* object);

// Calls draw for every surface, mesh and block that RenderObjectGL shows for the object, in
// order, descending into groups and gems as it does.
void ForEachShadedPartGL(const CGeomObject* object,
                         const std::function<void(const CGeomObject&)>& draw);
// The same parts in the same order without touching GL: a gem's prototype is visited without
// its placement, which the arrays derived from it never depend on.
void ForEachShadedPart(const CGeomObject* object,
                       const std::function<void(const CGeomObject&)>& visit);

// Whether the normals of a part that RenderObjectGL shows flip under the current model matrix:
// a mesh's by its orientation, a block's solid as placed, a surface's never.
bool PartNormalsFlip(const CGeomObject& part);

// Whether mesh normals turn under the current model matrix: a mirrored placement or an
// inside-out mesh, not both.
bool MeshNormalsFlip(int orientationSign);

// The faces of a mesh that are drawn, with their normals (negated when they flip) and, for
// smooth shading, the normalised sum of the face normals at each vertex.
struct MeshFaces {
  struct Face {
    std::size_t first;  // into the indices
    int size;
    Vector3 normal;
  };
  std::span<const Vector3> points;
  std::span<const std::int32_t> indices;
  std::vector<Face> faces;
  std::vector<Vector3> vertexNormals;  // empty when flat

  // Whether the corner k of face (k indexes the indices) takes its vertex's smooth normal: not
  // when flat, nor at a crease, where the vertex normal is more than about 25.8 degrees off the
  // face's.
  bool TakesVertexNormal(const Face& face, std::size_t k) const;
};

// Receives what shading derives from one object, piece by piece in drawing order.
class ShadingSink {
 public:
  virtual ~ShadingSink() = default;
  // A tessellated grid: quads of four indices into the points, each point with its normal.
  virtual void Quads(std::vector<Vector3> points, std::vector<Vector3> normals,
                     std::vector<std::uint32_t> quads) = 0;
  // Polygons, each a convex fan from its first corner.
  virtual void Faces(const MeshFaces& faces) = 0;
  // Triangles under one normal, three corners each.
  virtual void Triangles(Vector3 normal, std::vector<Vector3> corners) = 0;
};

// What a surface, mesh or block shows, with mesh normals flipped as asked; other kinds give
// nothing.
void DeriveShading(const CGeomObject& object, bool flipMeshNormals, ShadingSink& sink);

// Tessellates a padded control grid of rows x columns (row-major) with the given steps per span
// along the rows and along the columns into quads with normals. The normals are tangent U x
// tangent V for a sign of 1 or more, the reverse below.
void RenderSurfaceGridGL(const Vector3* grid, int rows, int columns, int stepsU, int stepsV,
                         int orientationSign, ShadingSink& sink);

// Each face with flat or crease-aware smooth normals. A face of fewer than 3 vertices or with an
// index outside the points is left out, and faces that run past the index list end the mesh.
void RenderMeshGL(std::span<const Vector3> points, std::span<const std::int32_t> indices,
                  std::span<const std::int32_t> faceSizes, int flat, bool flip, ShadingSink& sink);

// Fills a closed B-spline outline as a flat cap: count points, each stride after the previous,
// from first; with an offset above 0 each point is first averaged with the points offset before
// and after it (1 : 4 : 1), which puts the outline on a surface's boundary.
void RenderCapGL(int offset, const Vector3* first, int stride, int count, int steps, int closed,
                 int sign, ShadingSink& sink);

void ResetGlShading();

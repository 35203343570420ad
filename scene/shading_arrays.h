#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "kernel/geom_object.h"
#include "platform/gl_calls.h"
#include "scene/gl_shading.h"

// What shading derives from one surface, mesh or block, kept as vertex, normal and index arrays
// in drawing order, so that a frame only hands them to GL. Kept in the object's drawing cache.
class ShadingArrays : public ObjectDrawingCache, public ShadingSink {
 public:
  ShadingArrays(std::uint64_t changeCount, std::uint64_t generation, bool flipped)
      : changeCount_(changeCount), generation_(generation), flipped_(flipped) {}

  void Quads(std::vector<Vector3> points, std::vector<Vector3> normals,
             std::vector<std::uint32_t> quads) override;
  void Faces(const MeshFaces& faces) override;
  void Triangles(Vector3 normal, std::vector<Vector3> corners) override;

  // Whether these arrays were derived from the object as it is, under the program-wide state as
  // it is, with mesh normals flipped as asked.
  bool Fits(const CGeomObject& object, bool flipped) const;
  void Draw(GlCalls& gl) const;
  // The memory the arrays hold.
  std::size_t Bytes() const;

 private:
  // One draw call: indexed when there are indices, else the vertices in order. A flat batch is
  // drawn with GL's flat shading model, which lights each triangle by its last vertex only.
  struct Batch {
    GlEnum mode;
    std::vector<Vector3> points;
    std::vector<Vector3> normals;
    std::vector<std::uint32_t> indices;
    bool flat = false;
  };

  std::uint64_t changeCount_;
  std::uint64_t generation_;
  bool flipped_;
  std::vector<Batch> batches_;
};

// The object's arrays, derived afresh when its cache is missing or no longer fits.
const ShadingArrays& CachedShadingArrays(const CGeomObject& object, bool flipMeshNormals);
// Whether the object's cache holds arrays that fit it.
bool KeepsFittingShadingArrays(const CGeomObject& object, bool flipMeshNormals);
// The object's arrays derived afresh, leaving its cache alone: safe on several threads at once.
std::unique_ptr<ShadingArrays> DeriveShadingArrays(const CGeomObject& object, bool flipMeshNormals);

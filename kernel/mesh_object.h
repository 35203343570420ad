#pragma once

#include <cstdint>
#include <vector>

#include "kernel/point_set_object.h"

// A polygon mesh: the points are its vertices, each face a run of vertex indices.
class CMeshObject : public CPointSetObject {
 public:
  CMeshObject();

  int GetKind() const override { return kKindMesh; }
  // The wire frame (scene/mesh_wireframe.cpp).
  void Draw(int mode) override;
  std::unique_ptr<CGeomObject> Clone() const override;
  // A record whose counts or indices do not fit its vertices or its bytes reads as
  // kStateBadRecord with no faces.
  void Read() override;
  // Fails the stream when the faces do not fit.
  void Write() override;
  void Swap(CGeomObject& other) override;

  int FaceCount() const { return static_cast<int>(faceSizes.size()); }
  // Replaces the faces when the sizes are not negative, add up to the indices given and every
  // index names a vertex; otherwise keeps the faces it had and returns false.
  bool SetFaces(std::vector<std::int32_t> sizes, std::vector<std::int32_t> indices);
  // Whether the faces fit each other and the vertices; a mesh that does not fails its write,
  // since it would read back as a bad record.
  bool FacesFit() const;

  // The vertex count of each face, and the vertex indices of all faces, face after face;
  // faceIndices holds as many entries as faceSizes adds up to.
  std::vector<std::int32_t> faceSizes;
  std::vector<std::int32_t> faceIndices;
  // 1: one normal per face; 0: smoothed vertex normals.
  std::int32_t flatShading = 1;
  // +1 or -1: which side is the outside.
  std::int32_t orientationSign = 1;
};

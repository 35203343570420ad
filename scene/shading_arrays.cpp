#include "scene/shading_arrays.h"

#include <memory>
#include <utility>

void ShadingArrays::Quads(std::vector<Vector3> points, std::vector<Vector3> normals,
                          std::vector<std::uint32_t> quads) {
  if (quads.empty()) return;
  batches_.push_back({kGlQuads, std::move(points), std::move(normals), std::move(quads)});
}

// Smooth faces share a vertex wherever they take its smooth normal; a flat face, and a smooth
// one at a crease, has a vertex of its own there. Each polygon becomes the fan from its first
// corner, every triangle starting where GL's own split of a polygon starts it: the depths then
// come out the same to the bit.
void ShadingArrays::Faces(const MeshFaces& mesh) {
  if (mesh.faces.empty()) return;
  Batch batch{kGlTriangles, {}, {}, {}};
  if (!mesh.vertexNormals.empty()) {
    batch.points.assign(mesh.points.begin(), mesh.points.end());
    batch.normals = mesh.vertexNormals;
  }
  std::vector<std::uint32_t> corners;
  for (const MeshFaces::Face& face : mesh.faces) {
    corners.clear();
    for (std::size_t k = face.first; k < face.first + face.size; ++k) {
      const auto vertex = static_cast<std::size_t>(mesh.indices[k]);
      if (mesh.TakesVertexNormal(face, k)) {
        corners.push_back(static_cast<std::uint32_t>(vertex));
        continue;
      }
      corners.push_back(static_cast<std::uint32_t>(batch.points.size()));
      batch.points.push_back(mesh.points[vertex]);
      batch.normals.push_back(face.normal);
    }
    for (std::size_t k = 1; k + 1 < corners.size(); ++k) {
      batch.indices.insert(batch.indices.end(), {corners[k], corners[k + 1], corners[0]});
    }
  }
  batch.points.shrink_to_fit();
  batch.normals.shrink_to_fit();
  batches_.push_back(std::move(batch));
}

void ShadingArrays::Triangles(Vector3 normal, std::vector<Vector3> corners) {
  if (corners.empty()) return;
  std::vector<Vector3> normals(corners.size(), normal);
  batches_.push_back({kGlTriangles, std::move(corners), std::move(normals), {}});
}

bool ShadingArrays::Fits(const CGeomObject& object, bool flipped) const {
  return changeCount_ == object.ChangeCount() && generation_ == DrawingGeneration() &&
         flipped_ == flipped;
}

void ShadingArrays::Draw(GlCalls& gl) const {
  for (const Batch& batch : batches_) {
    gl.VertexPointer(3, kGlFloat, sizeof(Vector3), batch.points.data());
    gl.NormalPointer(kGlFloat, sizeof(Vector3), batch.normals.data());
    if (batch.indices.empty()) {
      gl.DrawArrays(batch.mode, 0, static_cast<int>(batch.points.size()));
    } else {
      gl.DrawElements(batch.mode, static_cast<int>(batch.indices.size()), kGlUnsignedInt,
                      batch.indices.data());
    }
  }
}

std::size_t ShadingArrays::Bytes() const {
  std::size_t bytes = sizeof(*this) + batches_.capacity() * sizeof(Batch);
  for (const Batch& batch : batches_) {
    bytes += (batch.points.capacity() + batch.normals.capacity()) * sizeof(Vector3) +
             batch.indices.capacity() * sizeof(std::uint32_t);
  }
  return bytes;
}

const ShadingArrays& CachedShadingArrays(const CGeomObject& object, bool flipMeshNormals) {
  auto* cached = dynamic_cast<ShadingArrays*>(object.drawingCache.get());
  if (cached == nullptr || !cached->Fits(object, flipMeshNormals)) {
    auto fresh = std::make_unique<ShadingArrays>(object.ChangeCount(), DrawingGeneration(),
                                                 flipMeshNormals);
    DeriveShading(object, flipMeshNormals, *fresh);
    cached = fresh.get();
    object.drawingCache = std::move(fresh);
  }
  return *cached;
}

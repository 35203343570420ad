#include "scene/shading_arrays.h"

#include <utility>

void ShadingArrays::Quads(std::vector<Vector3> points, std::vector<Vector3> normals,
                          std::vector<std::uint32_t> quads) {
  if (quads.empty()) return;
  batches_.push_back({kGlQuads, std::move(points), std::move(normals), std::move(quads)});
}

// Each polygon becomes the fan from its first corner, every triangle led where GL's own split of
// a polygon leads it, so that the depths come out the same to the bit. Its triangles all end on
// the first corner, which for a flat face therefore carries the face normal on a vertex of its
// own; the other corners share the mesh's points, whose normals flat shading never reads. Smooth
// faces share a vertex wherever they take its smooth normal and have their own at a crease.
void ShadingArrays::Faces(const MeshFaces& mesh) {
  if (mesh.faces.empty()) return;
  const bool flat = mesh.vertexNormals.empty();
  Batch batch{kGlTriangles, {}, {}, {}, flat};
  std::size_t triangles = 0;
  for (const MeshFaces::Face& face : mesh.faces) triangles += static_cast<std::size_t>(face.size - 2);
  batch.indices.reserve(3 * triangles);
  batch.points.reserve(mesh.points.size() + (flat ? mesh.faces.size() : 0));
  batch.points.assign(mesh.points.begin(), mesh.points.end());
  batch.normals = flat ? std::vector<Vector3>(mesh.points.size(), Vector3{0.0f, 0.0f, 1.0f})
                       : mesh.vertexNormals;
  batch.normals.reserve(batch.points.capacity());
  const auto ownVertex = [&](std::size_t vertex, Vector3 normal) {
    batch.points.push_back(mesh.points[vertex]);
    batch.normals.push_back(normal);
    return static_cast<std::uint32_t>(batch.points.size() - 1);
  };
  std::vector<std::uint32_t> corners;
  for (const MeshFaces::Face& face : mesh.faces) {
    corners.clear();
    for (std::size_t k = face.first; k < face.first + face.size; ++k) {
      const auto vertex = static_cast<std::size_t>(mesh.indices[k]);
      const bool shared = flat ? k != face.first : mesh.TakesVertexNormal(face, k);
      corners.push_back(shared ? static_cast<std::uint32_t>(vertex) : ownVertex(vertex, face.normal));
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
    if (batch.flat) gl.ShadeModel(kGlFlat);
    gl.VertexPointer(3, kGlFloat, sizeof(Vector3), batch.points.data());
    gl.NormalPointer(kGlFloat, sizeof(Vector3), batch.normals.data());
    if (batch.indices.empty()) {
      gl.DrawArrays(batch.mode, 0, static_cast<int>(batch.points.size()));
    } else {
      gl.DrawElements(batch.mode, static_cast<int>(batch.indices.size()), kGlUnsignedInt,
                      batch.indices.data());
    }
    if (batch.flat) gl.ShadeModel(kGlSmooth);
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
  if (!KeepsFittingShadingArrays(object, flipMeshNormals)) {
    object.drawingCache = DeriveShadingArrays(object, flipMeshNormals);
  }
  return static_cast<const ShadingArrays&>(*object.drawingCache);
}

bool KeepsFittingShadingArrays(const CGeomObject& object, bool flipMeshNormals) {
  const auto* cached = dynamic_cast<const ShadingArrays*>(object.drawingCache.get());
  return cached != nullptr && cached->Fits(object, flipMeshNormals);
}

std::unique_ptr<ShadingArrays> DeriveShadingArrays(const CGeomObject& object, bool flipMeshNormals) {
  auto fresh = std::make_unique<ShadingArrays>(object.ChangeCount(), DrawingGeneration(),
                                               flipMeshNormals);
  DeriveShading(object, flipMeshNormals, *fresh);
  return fresh;
}

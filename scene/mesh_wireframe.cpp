#include <cstdint>
#include <vector>

#include "kernel/mesh_object.h"
#include "scene/drawing_context.h"
#include "scene/viewport.h"
#include "scene/wireframe.h"

namespace {

// Meshes come from files, commands and imports, so a face is drawn only from what is really
// there: a face that runs past the index list ends the walk, and an index outside the vertices
// is skipped.
class FaceWalk {
 public:
  explicit FaceWalk(const CMeshObject& mesh) : mesh_(mesh) {}

  // Moves to face f (f never goes back); false when the walk has ended.
  bool SeekFace(std::int64_t f) {
    for (; face_ < f; ++face_) {
      if (!FaceFits()) return false;
      offset_ += mesh_.faceSizes[static_cast<std::size_t>(face_)];
    }
    return FaceFits();
  }
  // The first count vertices of the current face as one polyline.
  void DrawFace(int kind, std::int64_t count) const {
    BeginPolyline(kind);
    const std::int64_t size = mesh_.faceSizes[static_cast<std::size_t>(face_)];
    for (std::int64_t i = 0; i < size && i < count; ++i) {
      const std::int32_t index = mesh_.faceIndices[static_cast<std::size_t>(offset_ + i)];
      if (index >= 0 && index < mesh_.PointCount())
        AddPolylineVertex(mesh_.points[static_cast<std::size_t>(index)]);
    }
    EndPolyline();
  }
  // One edge: the first two vertices; a face of fewer draws nothing.
  void DrawFirstEdge() const {
    if (mesh_.faceSizes[static_cast<std::size_t>(face_)] >= 2) DrawFace(kPolylineOpen, 2);
  }

 private:
  bool FaceFits() const {
    if (face_ >= mesh_.FaceCount()) return false;
    const std::int32_t size = mesh_.faceSizes[static_cast<std::size_t>(face_)];
    return size >= 0 && offset_ + size <= static_cast<std::int64_t>(mesh_.faceIndices.size());
  }

  const CMeshObject& mesh_;
  std::int64_t face_ = 0;
  std::int64_t offset_ = 0;
};

// Normal wire frame shows one edge per face above this many faces.
constexpr int kOneEdgeFaceCount = 4096;

}  // namespace

void DrawMeshWireframe(CMeshObject& mesh, int mode) {
  const int faces = mesh.FaceCount();
  // Large meshes are thinned by their face count.
  const int k = faces / 16000 + 1;
  FaceWalk walk(mesh);
  if (mode < 0) {
    for (std::int64_t f = 0; f < faces && walk.SeekFace(f); f += k)
      walk.DrawFace(kPolylineClosed, INT64_MAX);
    return;
  }
  if (mode == kDisplayQuickWire) {
    for (std::int64_t f = 0; f < faces && walk.SeekFace(f); f += 2 * k) walk.DrawFirstEdge();
  } else if (mode == kDisplayNormalWire && faces > kOneEdgeFaceCount) {
    for (std::int64_t f = 0; f < faces && walk.SeekFace(f); ++f) walk.DrawFirstEdge();
  } else {
    for (std::int64_t f = 0; f < faces && walk.SeekFace(f); ++f)
      walk.DrawFace(kPolylineClosed, INT64_MAX);
  }
  if (mesh.controlPointsHidden != 0) return;
  DrawControlPointMarkers(mesh);
  if (mode == kDisplayNormalWire) DrawMarkedPoints(mesh);
}

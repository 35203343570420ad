#include "kernel/mesh_object.h"

#include <typeinfo>
#include <utility>

#include "kernel/object_stream.h"

namespace {

// The mesh's booleans ride in the scratch bits of the flags field while its record is written;
// the common record stores them as bits 16-18 of the flags word.
constexpr std::int32_t kFlagControlPointsShown = 1 << 8;
constexpr std::int32_t kFlagSmoothShading = 1 << 9;
constexpr std::int32_t kFlagInsideOut = 1 << 10;

constexpr std::int64_t kIndexBytes = 4;

// Reads count int32 values after checking that they fit in what is left of the stream.
bool ReadInt32Array(std::int64_t count, std::vector<std::int32_t>* out) {
  out->clear();
  if (!ObjectStreamHasRoomFor(count, kIndexBytes)) return false;
  out->resize(static_cast<std::size_t>(count));
  for (std::int32_t& value : *out) value = ReadObjectInt32();
  return !ObjectStreamFailed();
}

// Every user indexes the vertices without checks, so faces that do not fit are refused. A
// negative count or size leaves the rest of the record unreadable, so the stream fails with it;
// an index out of range spoils only this mesh.
bool ReadFaces(CMeshObject* mesh) {
  const std::int32_t faceCount = ReadObjectInt32();
  if (ObjectStreamFailed()) return false;
  if (faceCount < 0) {
    MarkObjectStreamFailed();
    return false;
  }
  if (!ReadInt32Array(faceCount, &mesh->faceSizes)) return false;
  std::int64_t indexCount = 0;
  for (const std::int32_t size : mesh->faceSizes) {
    if (size < 0) {
      MarkObjectStreamFailed();
      return false;
    }
    indexCount += size;
  }
  if (!ReadInt32Array(indexCount, &mesh->faceIndices)) return false;
  for (const std::int32_t index : mesh->faceIndices) {
    if (index < 0 || index >= mesh->PointCount()) return false;
  }
  return true;
}

bool FacesFitVertices(const std::vector<std::int32_t>& sizes, const std::vector<std::int32_t>& indices,
                      int vertexCount) {
  std::int64_t total = 0;
  for (const std::int32_t size : sizes) {
    if (size < 0) return false;
    total += size;
  }
  if (total != static_cast<std::int64_t>(indices.size())) return false;
  for (const std::int32_t index : indices) {
    if (index < 0 || index >= vertexCount) return false;
  }
  return true;
}

}  // namespace

CMeshObject::CMeshObject() { controlPointsHidden = 1; }

std::unique_ptr<CGeomObject> CMeshObject::Clone() const {
  auto copy = std::make_unique<CMeshObject>();
  CopyPointSetFields(copy.get());
  copy->faceSizes = faceSizes;
  copy->faceIndices = faceIndices;
  copy->flatShading = flatShading;
  copy->orientationSign = orientationSign;
  return copy;
}

bool CMeshObject::SetFaces(std::vector<std::int32_t> sizes, std::vector<std::int32_t> indices) {
  if (!FacesFitVertices(sizes, indices, PointCount())) return false;
  MarkChanged();
  faceSizes = std::move(sizes);
  faceIndices = std::move(indices);
  return true;
}

bool CMeshObject::FacesFit() const { return FacesFitVertices(faceSizes, faceIndices, PointCount()); }

void CMeshObject::Write() {
  if (!FacesFit()) {
    MarkObjectStreamFailed();
    return;
  }
  const std::int32_t kept = flags;
  if (controlPointsHidden == 0) flags |= kFlagControlPointsShown;
  if (flatShading == 0) flags |= kFlagSmoothShading;
  if (orientationSign < 0) flags |= kFlagInsideOut;
  WritePointSetRecord();
  flags = kept;

  WriteObjectInt32(FaceCount());
  for (const std::int32_t size : faceSizes) WriteObjectInt32(size);
  for (const std::int32_t index : faceIndices) WriteObjectInt32(index);
}

void CMeshObject::Read() {
  ReadPointSetRecord();
  controlPointsHidden = (flags & kFlagControlPointsShown) ? 0 : 1;
  flatShading = (flags & kFlagSmoothShading) ? 0 : 1;
  orientationSign = (flags & kFlagInsideOut) ? -1 : 1;
  flags &= kFlagNoDeform;

  if (!ReadFaces(this)) {
    ObjectState = kStateBadRecord;
    faceSizes.clear();
    faceIndices.clear();
  }
}

void CMeshObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  auto& mesh = static_cast<CMeshObject&>(other);
  SwapPointSetFields(mesh);
  std::swap(faceSizes, mesh.faceSizes);
  std::swap(faceIndices, mesh.faceIndices);
  std::swap(flatShading, mesh.flatShading);
  std::swap(orientationSign, mesh.orientationSign);
}

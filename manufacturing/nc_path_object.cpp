#include "manufacturing/nc_path_object.h"

#include <algorithm>
#include <typeinfo>
#include <utility>
#include <vector>

#include "manufacturing/nc_path_reader.h"
#include "scene/drawing_context.h"

namespace {

constexpr float kEmptyBound = 1e30f;
// 48 MB of points: a redraw of a program this long from memory stays within a frame or two.
constexpr std::size_t kMaxCachedPoints = std::size_t{1} << 22;

// The points of the file as last read, so that a redraw of an unchanged file does not parse it.
class NcPathCache : public ObjectDrawingCache {
 public:
  NcFileIdentity identity;
  float scale = 0.0f;
  std::vector<Vector3> points;
};

}  // namespace

CNcPathObject::CNcPathObject()
    : boundsMin(kEmptyBound, kEmptyBound, kEmptyBound), boundsMax(-kEmptyBound, -kEmptyBound, -kEmptyBound) {}

void CNcPathObject::Draw(int mode) {
  if (mode == kFastDrawMode) return;
  // A file that has gone since the last drawing leaves no stale bounds behind.
  boundsMin = Vector3(kEmptyBound, kEmptyBound, kEmptyBound);
  boundsMax = Vector3(-kEmptyBound, -kEmptyBound, -kEmptyBound);
  auto* cache = dynamic_cast<NcPathCache*>(drawingCache.get());
  if (cache == nullptr || cache->scale != scale) {
    drawingCache = std::make_unique<NcPathCache>();
    cache = static_cast<NcPathCache*>(drawingCache.get());
    cache->scale = scale;
  }
  // Points beyond the cache's room are drawn as they are read, and the next drawing reads again.
  std::vector<Vector3> read;
  bool streaming = false;
  NcPathParser parser(scale, [this, &read, &streaming](const Vector3& point) {
    if (!streaming && read.size() < kMaxCachedPoints) {
      read.push_back(point);
      return;
    }
    if (!streaming) {
      streaming = true;
      BeginPolyline(kPolylineOpen);
      for (const Vector3& kept : read) AddPoint(kept);
      read = {};
    }
    AddPoint(point);
  });
  bool unchanged = false;
  if (!ReadNcPathFile(fileName, parser, &cache->identity, &unchanged)) {
    drawingCache.reset();
    return;
  }
  if (streaming) {
    EndPolyline();
    drawingCache.reset();
    return;
  }
  if (!unchanged) cache->points = std::move(read);
  if (cache->points.empty()) return;
  BeginPolyline(kPolylineOpen);
  for (const Vector3& point : cache->points) AddPoint(point);
  EndPolyline();
}

void CNcPathObject::AddPoint(const Vector3& point) {
  boundsMin = Vector3(std::min(boundsMin.x, point.x), std::min(boundsMin.y, point.y), std::min(boundsMin.z, point.z));
  boundsMax = Vector3(std::max(boundsMax.x, point.x), std::max(boundsMax.y, point.y), std::max(boundsMax.z, point.z));
  AddPolylineVertex(point);
}

std::unique_ptr<CGeomObject> CNcPathObject::Clone() const {
  auto copy = std::make_unique<CNcPathObject>();
  CGeomObject_CopyCommonFields(copy.get(), this);
  copy->fileName = fileName;
  copy->scale = scale;
  copy->boundsMin = boundsMin;
  copy->boundsMax = boundsMax;
  return copy;
}

void CNcPathObject::GetBounds(Vector3* min, Vector3* max, Matrix4) const {
  *min = boundsMin;
  *max = boundsMax;
}

void CNcPathObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  auto& path = static_cast<CNcPathObject&>(other);
  SwapCommonFields(path);
  std::swap(fileName, path.fileName);
  std::swap(scale, path.scale);
  std::swap(boundsMin, path.boundsMin);
  std::swap(boundsMax, path.boundsMax);
}

#include "manufacturing/nc_path_object.h"

#include <algorithm>
#include <typeinfo>
#include <utility>

#include "manufacturing/nc_path_reader.h"
#include "scene/drawing_context.h"

namespace {

constexpr float kEmptyBound = 1e30f;

}  // namespace

CNcPathObject::CNcPathObject()
    : boundsMin(kEmptyBound, kEmptyBound, kEmptyBound), boundsMax(-kEmptyBound, -kEmptyBound, -kEmptyBound) {}

void CNcPathObject::Draw(int mode) {
  if (mode == kFastDrawMode) return;
  // A file that has gone since the last drawing leaves no stale bounds behind.
  boundsMin = Vector3(kEmptyBound, kEmptyBound, kEmptyBound);
  boundsMax = Vector3(-kEmptyBound, -kEmptyBound, -kEmptyBound);
  bool begun = false;
  NcPathParser parser(scale, [this, &begun](const Vector3& point) {
    if (!begun) {
      BeginPolyline(kPolylineOpen);
      begun = true;
    }
    boundsMin = Vector3(std::min(boundsMin.x, point.x), std::min(boundsMin.y, point.y), std::min(boundsMin.z, point.z));
    boundsMax = Vector3(std::max(boundsMax.x, point.x), std::max(boundsMax.y, point.y), std::max(boundsMax.z, point.z));
    AddPolylineVertex(point);
  });
  ReadNcPathFile(fileName, parser);
  if (begun) EndPolyline();
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

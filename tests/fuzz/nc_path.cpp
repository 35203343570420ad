// An NC program as Show NC program draws it. The reader streams, so the points must not depend
// on where the bytes are split; every point is finite, and the drawn bounds hold them all.
#include <cmath>
#include <vector>

#include "fuzz_support.h"
#include "manufacturing/nc_path_object.h"
#include "manufacturing/nc_path_reader.h"

namespace {

std::vector<Vector3> Points(const std::uint8_t* data, std::size_t size, std::size_t split) {
  std::vector<Vector3> points;
  NcPathParser parser(0.5f, [&points](const Vector3& p) { points.push_back(p); });
  parser.Feed(reinterpret_cast<const char*>(data), split);
  parser.Feed(reinterpret_cast<const char*>(data) + split, size - split);
  parser.Finish();
  return points;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::vector<Vector3> whole = Points(data, size, size);
  if (whole != Points(data, size, size / 3)) FuzzCheckFailed("the points depend on the split");
  for (const Vector3& p : whole) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) FuzzCheckFailed("a point is not finite");
  }
  CNcPathObject path;
  path.fileName = WriteFuzzFile("input.nc", data, size);
  path.scale = 0.5f;
  path.Draw(0);
  for (const Vector3& p : whole) {
    if (p.x < path.boundsMin.x || p.x > path.boundsMax.x || p.z < path.boundsMin.z || p.z > path.boundsMax.z) {
      FuzzCheckFailed("a point lies outside the bounds");
    }
  }
  return 0;
}

#include "modelling/mesh_welding.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

constexpr int kCellsPerAxis = 32;

// The cell boundaries of one axis: min plus one cell, two cells, ... by repeated float addition,
// so a file gives the same cells whatever rounding a multiplication would bring.
struct AxisCells {
  std::array<float, kCellsPerAxis - 1> bounds{};

  AxisCells(float min, float max) {
    const float cell = (max - min) / static_cast<float>(kCellsPerAxis);
    float bound = min;
    for (float& b : bounds) {
      bound += cell;
      b = bound;
    }
  }

  // The number of boundaries not above the coordinate, 0 to 31.
  int Index(float coordinate) const {
    int index = 0;
    for (const float b : bounds) index += b <= coordinate ? 1 : 0;
    return index;
  }
};

}  // namespace

WeldedMesh BuildWeldedMesh(const std::vector<Vector3>& points) {
  WeldedMesh welded;
  if (points.empty()) return welded;
  Vector3 min = points.front();
  Vector3 max = points.front();
  for (const Vector3& p : points) {
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
  }
  const AxisCells x(min.x, max.x);
  const AxisCells y(min.y, max.y);
  const AxisCells z(min.z, max.z);
  // Each cell's unique-point numbers, oldest first.
  std::vector<std::vector<std::int32_t>> cells(kCellsPerAxis * kCellsPerAxis * kCellsPerAxis);
  welded.remap.reserve(points.size());
  for (const Vector3& p : points) {
    std::vector<std::int32_t>& cell =
        cells[static_cast<std::size_t>((x.Index(p.x) * kCellsPerAxis + y.Index(p.y)) * kCellsPerAxis + z.Index(p.z))];
    const auto match = std::find_if(cell.rbegin(), cell.rend(), [&](std::int32_t unique) {
      return VectorsEqual(welded.points[static_cast<std::size_t>(unique)], p);
    });
    if (match != cell.rend()) {
      welded.remap.push_back(*match);
      continue;
    }
    const auto number = static_cast<std::int32_t>(welded.points.size());
    welded.points.push_back(p);
    cell.push_back(number);
    welded.remap.push_back(number);
  }
  return welded;
}

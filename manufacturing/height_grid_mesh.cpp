#include "manufacturing/height_grid_mesh.h"

#include <cmath>
#include <cstddef>

#include "exchange/mesh_writers.h"
#include "exchange/output_file.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr CellVertex At{0, true}, Bt{1, true}, Ct{2, true}, Dt{3, true};
constexpr CellVertex Ab{0, false}, Bb{1, false}, Cb{2, false}, Db{3, false};

constexpr CellFacet kFour[] = {{At, Bt, Ct}, {Ct, Bt, Dt}, {Ab, Cb, Bb}, {Cb, Db, Bb}};
constexpr CellFacet kNoA[] = {{Ct, Bt, Dt}, {Cb, Db, Bb}, {Ct, Cb, Bt}, {Cb, Bb, Bt}};
constexpr CellFacet kNoB[] = {{At, Dt, Ct}, {Ab, Cb, Db}, {At, Ab, Dt}, {Ab, Db, Dt}};
constexpr CellFacet kNoC[] = {{At, Bt, Dt}, {Ab, Db, Bb}, {At, Dt, Ab}, {Ab, Dt, Db}};
constexpr CellFacet kNoD[] = {{At, Bt, Ct}, {Ab, Cb, Bb}, {Ct, Bt, Cb}, {Cb, Bt, Bb}};
constexpr CellFacet kAB[] = {{At, Bt, Ab}, {Ab, Bt, Bb}};
constexpr CellFacet kCD[] = {{Dt, Ct, Db}, {Db, Ct, Cb}};
constexpr CellFacet kAC[] = {{Ct, At, Cb}, {Cb, At, Ab}};
constexpr CellFacet kBD[] = {{Bt, Dt, Bb}, {Bb, Dt, Db}};

// Writes every cell's facets; corner(column, row, top) gives a corner's point and solid(column,
// row) whether it counts.
template <class Corner, class Solid>
bool WriteBand(const std::string& path, int cellColumns, int rows, int format, Corner corner, Solid solid) {
  SelectMeshWriter(format);
  MeshWriter& writer = CurrentMeshWriter();
  bool written = MeshOutputFile.Open(path);
  if (written) {
    writer.BeginFile();
    for (int i = 0; i + 1 < rows; ++i) {
      for (int j = 0; j < cellColumns; ++j) {
        const int columns[4] = {j, j + 1, j, j + 1};
        const int cellRows[4] = {i, i, i + 1, i + 1};
        int mask = 0;
        for (int k = 0; k < 4; ++k) mask |= solid(columns[k], cellRows[k]) ? 1 << k : 0;
        for (const CellFacet& facet : CellFacets(mask)) {
          Vector3 v[3];
          for (int k = 0; k < 3; ++k) {
            const CellVertex& c = facet[static_cast<std::size_t>(k)];
            v[k] = corner(columns[c.corner], cellRows[c.corner], c.top);
          }
          writer.WriteFacet(v[0], v[1], v[2]);
        }
      }
    }
    writer.EndFile();
    written = MeshOutputFile.Commit();
  }
  if (!written) ShowFileMessage(kCannotWriteMessage, path);
  return written;
}

}  // namespace

std::span<const CellFacet> CellFacets(int mask) {
  switch (mask) {
    case 15:
      return kFour;
    case 14:
      return kNoA;
    case 13:
      return kNoB;
    case 11:
      return kNoC;
    case 7:
      return kNoD;
    case 3:
      return kAB;
    case 12:
      return kCD;
    case 5:
      return kAC;
    case 10:
      return kBD;
    default:
      return {};
  }
}

bool WriteHeightGridMesh(const std::string& path, int columns, int rows, const float* grid, const Matrix4& inverse,
                         int format) {
  const std::size_t cells = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
  const auto at = [&](int j, int i, bool top) {
    const std::size_t index = static_cast<std::size_t>(i) * static_cast<std::size_t>(columns) +
                              static_cast<std::size_t>(j) + (top ? 0 : cells);
    return TransformPoint({static_cast<float>(j), static_cast<float>(i), grid[index]}, inverse);
  };
  return WriteBand(path, columns - 1, rows, format, at, [&](int j, int i) { return at(j, i, true).z > -10000.0f; });
}

bool WriteHeightGridMeshB(const std::string& path, int bins, int rows, const float* grid, const Matrix4& inverse,
                          float anglePerBin, int format) {
  const std::size_t cells = static_cast<std::size_t>(bins) * static_cast<std::size_t>(rows);
  const auto radius = [&](int j, int i, bool outer) {
    const std::size_t index = static_cast<std::size_t>(i) * static_cast<std::size_t>(bins) +
                              static_cast<std::size_t>(j % bins) + (outer ? 0 : cells);
    return TransformPoint({static_cast<float>(j % bins), static_cast<float>(i), grid[index]}, inverse);
  };
  const auto at = [&](int j, int i, bool outer) {
    const Vector3 p = radius(j, i, outer);
    const float theta = static_cast<float>(j % bins) * anglePerBin;
    // + 0.0f: a point on the axis is one point, not -0 in some bins and +0 in others, which
    // byte-wise readers take for two.
    return Vector3{p.z * std::sin(theta) + 0.0f, p.y, p.z * std::cos(theta) + 0.0f};
  };
  return WriteBand(path, bins, rows, format, at, [&](int j, int i) { return radius(j, i, true).z > 0.01f; });
}

#include "exchange/mesh_welding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kCellsPerAxis = 32;
// Within a cell, unique points are kept in buckets of this width on each axis, so that a point
// is compared only with the few near it rather than with a whole cell (a flat plate crowds all
// its points into 32 x 32 cells; one far point crowds a whole mesh into one cell).
constexpr double kBucketWidth = 0.002;
// A match lies closer than this on every axis: the 0.0001 of VectorsEqual, with room for the
// rounding of the float difference it compares. Twice this is below the bucket width, so the
// matches of a point lie in at most two buckets per axis.
constexpr double kReach = 0.00011;

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

// The bucket of a coordinate on one axis. Division and floor keep the order of coordinates, so
// every point within kReach of c has its bucket between those of c - kReach and c + kReach.
// Round coordinates, such as the 0 of a flat plate, lie in the middle of a bucket, where a
// single bucket holds their matches.
double Bucket(double c) { return std::floor(c / kBucketWidth + 0.5) + 0.0; }

struct BucketKey {
  int cell;
  std::array<double, 3> bucket;
  bool operator==(const BucketKey&) const = default;
};

// The newest unique point of each bucket, in one open-addressed array: a node per bucket would
// cost an allocation for every unique point of a million-facet file.
class BucketTable {
 public:
  // The newest unique point of the bucket; -1 when it holds none.
  std::int32_t Newest(const BucketKey& key) const {
    for (std::size_t i = Hash(key) & mask_;; i = (i + 1) & mask_) {
      if (slots_[i].newest < 0 || slots_[i].key == key) return slots_[i].newest;
    }
  }

  // Makes point the newest of its bucket; returns the one it follows, -1 for none.
  std::int32_t Push(const BucketKey& key, std::int32_t point) {
    // At most half full, so a search always meets an empty slot.
    if (2 * (used_ + 1) > slots_.size()) Grow();
    std::size_t i = Hash(key) & mask_;
    while (slots_[i].newest >= 0 && !(slots_[i].key == key)) i = (i + 1) & mask_;
    const std::int32_t previous = slots_[i].newest;
    if (previous < 0) {
      slots_[i].key = key;
      ++used_;
    }
    slots_[i].newest = point;
    return previous;
  }

 private:
  struct Slot {
    BucketKey key{};
    std::int32_t newest = -1;
  };

  // The table takes the low bits, and the buckets are whole numbers whose low bits are zero: every
  // bit of the key is mixed into them.
  static std::size_t Hash(const BucketKey& key) {
    std::uint64_t hash = static_cast<std::uint64_t>(key.cell);
    for (const double b : key.bucket) {
      std::uint64_t bits = 0;
      std::memcpy(&bits, &b, sizeof bits);
      hash = (hash ^ bits) * 0x9E3779B97F4A7C15ULL;
      hash ^= hash >> 32;
    }
    hash ^= hash >> 31;
    hash *= 0x7FB5D329728EA185ULL;
    hash ^= hash >> 27;
    hash *= 0x81DADEF4BC2DD44DULL;
    hash ^= hash >> 33;
    return static_cast<std::size_t>(hash);
  }

  void Grow() {
    std::vector<Slot> old(std::max<std::size_t>(1024, 2 * slots_.size()));
    old.swap(slots_);
    mask_ = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.newest < 0) continue;
      std::size_t i = Hash(slot.key) & mask_;
      while (slots_[i].newest >= 0) i = (i + 1) & mask_;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_ = std::vector<Slot>(1024);
  std::size_t mask_ = 1023;
  std::size_t used_ = 0;
};

}  // namespace

WeldedMesh BuildWeldedMesh(const std::vector<Vector3>& points) {
  WeldedMesh welded;
  if (points.empty()) return welded;
  Vector3 min = points.front();
  Vector3 max = points.front();
  for (const Vector3& p : points) {
    min = {std::fmin(min.x, p.x), std::fmin(min.y, p.y), std::fmin(min.z, p.z)};
    max = {std::fmax(max.x, p.x), std::fmax(max.y, p.y), std::fmax(max.z, p.z)};
  }
  const AxisCells x(min.x, max.x);
  const AxisCells y(min.y, max.y);
  const AxisCells z(min.z, max.z);
  // The newest unique point of each bucket, and for each unique point the one before it in its
  // bucket: every bucket's points newest first, as the rule searches a cell.
  BucketTable newest;
  std::vector<std::int32_t> older;
  welded.remap.reserve(points.size());
  for (const Vector3& p : points) {
    const int cell = (x.Index(p.x) * kCellsPerAxis + y.Index(p.y)) * kCellsPerAxis + z.Index(p.z);
    std::array<std::array<double, 2>, 3> range;
    const std::array<double, 3> c = {p.x, p.y, p.z};
    for (std::size_t axis = 0; axis < 3; ++axis) range[axis] = {Bucket(c[axis] - kReach), Bucket(c[axis] + kReach)};
    // The newest match over the buckets in reach: in each, the first match from its newest point
    // on, unless an older point than the best so far is reached.
    std::int32_t match = -1;
    for (std::size_t i = 0; i < 2; ++i) {
      if (i == 1 && range[0][1] == range[0][0]) break;
      for (std::size_t j = 0; j < 2; ++j) {
        if (j == 1 && range[1][1] == range[1][0]) break;
        for (std::size_t k = 0; k < 2; ++k) {
          if (k == 1 && range[2][1] == range[2][0]) break;
          const std::int32_t first = newest.Newest({cell, {range[0][i], range[1][j], range[2][k]}});
          for (std::int32_t u = first; u > match; u = older[static_cast<std::size_t>(u)]) {
            if (VectorsEqual(welded.points[static_cast<std::size_t>(u)], p)) {
              match = u;
              break;
            }
          }
        }
      }
    }
    if (match < 0) {
      match = static_cast<std::int32_t>(welded.points.size());
      welded.points.push_back(p);
      older.push_back(newest.Push({cell, {Bucket(c[0]), Bucket(c[1]), Bucket(c[2])}}, match));
    }
    welded.remap.push_back(match);
  }
  return welded;
}

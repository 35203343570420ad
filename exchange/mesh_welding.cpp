#include "exchange/mesh_welding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

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

  // The number of boundaries not above the coordinate, 0 to 31, found by halving: the
  // boundaries never decrease, and a coordinate that is not a number is above none.
  int Index(float coordinate) const {
    int index = 0;
    for (int half = kCellsPerAxis / 2; half > 0; half /= 2) {
      index += bounds[static_cast<std::size_t>(index + half - 1)] <= coordinate ? half : 0;
    }
    return index;
  }
};

// The bucket of a coordinate on one axis. Division and floor keep the order of coordinates, so
// every point within kReach of c has its bucket between those of c - kReach and c + kReach.
// Round coordinates, such as the 0 of a flat plate, lie in the middle of a bucket, where a
// single bucket holds their matches.
double Bucket(double c) { return std::floor(c / kBucketWidth + 0.5) + 0.0; }

// A bucket key in 64 bits: the cell in the top 16, each axis's bucket number modulo 2^16 below.
// Buckets 2^16 apart (131 units) share a key; their points never match, so sharing only
// lengthens a search and never changes its result.
using BucketKey = std::uint64_t;

std::uint64_t BucketBits(double bucket) {
  constexpr double kExact = 9.0e15;  // below 2^53, where the whole bucket numbers are exact
  return std::fabs(bucket) < kExact ? static_cast<std::uint64_t>(static_cast<std::int64_t>(bucket)) & 0xFFFFu : 0u;
}

// An axis's part of a bucket key.
std::uint64_t AxisBits(std::size_t axis, double bucket) { return BucketBits(bucket) << (32 - 16 * axis); }

// The newest unique point of each bucket, in one open-addressed array: a node per bucket would
// cost an allocation for every unique point of a million-facet file.
class BucketTable {
 public:
  // Room at half load for the buckets of a closed mesh of that many corners, which has a sixth
  // as many unique points; a looser soup grows the table.
  explicit BucketTable(std::size_t corners) { Resize(std::bit_ceil(std::max<std::size_t>(1024, corners / 3))); }

  // Asks the memory for the slot where the search for the key begins: in a table of millions of
  // slots almost every first probe misses the cache, and a point's keys are known some points
  // before its search.
  void Prefetch(BucketKey key) const { __builtin_prefetch(&slots_[Hash(key)]); }

  // The newest unique point of the bucket; -1 when it holds none.
  std::int32_t Newest(BucketKey key) const {
    for (std::size_t i = Hash(key);; i = (i + 1) & mask_) {
      if (slots_[i].newest < 0 || slots_[i].Holds(key)) return slots_[i].newest;
    }
  }

  // Makes point the newest of its bucket; returns the one it follows, -1 for none.
  std::int32_t Push(BucketKey key, std::int32_t point) {
    // At most half full, so a search always meets an empty slot.
    if (2 * (used_ + 1) > slots_.size()) Grow();
    std::size_t i = Hash(key);
    while (slots_[i].newest >= 0 && !slots_[i].Holds(key)) i = (i + 1) & mask_;
    const std::int32_t previous = slots_[i].newest;
    if (previous < 0) {
      slots_[i].keyLow = static_cast<std::uint32_t>(key);
      slots_[i].keyHigh = static_cast<std::uint32_t>(key >> 32);
      ++used_;
    }
    slots_[i].newest = point;
    return previous;
  }

 private:
  // Twelve bytes: the key in two halves keeps the slot free of padding.
  struct Slot {
    std::uint32_t keyLow = 0;
    std::uint32_t keyHigh = 0;
    std::int32_t newest = -1;

    bool Holds(BucketKey key) const {
      return keyLow == static_cast<std::uint32_t>(key) && keyHigh == static_cast<std::uint32_t>(key >> 32);
    }
    BucketKey Key() const { return static_cast<BucketKey>(keyHigh) << 32 | keyLow; }
  };

  // Multiplicative hashing: the top bits of the product mix every bit of the key.
  std::size_t Hash(BucketKey key) const { return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift_); }

  void Resize(std::size_t size) {
    slots_.assign(size, Slot{});
    mask_ = size - 1;
    shift_ = 64 - std::countr_zero(size);
  }

  void Grow() {
    std::vector<Slot> old;
    old.swap(slots_);
    Resize(2 * old.size());
    for (const Slot& slot : old) {
      if (slot.newest < 0) continue;
      std::size_t i = Hash(slot.Key());
      while (slots_[i].newest >= 0) i = (i + 1) & mask_;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  int shift_ = 64;
  std::size_t used_ = 0;
};

// The smaller of two coordinates, the other when one is not a number, as std::fmin, without
// its call; which zero a tie of zeros gives does not change the cells.
float Lower(float a, float b) { return b < a || a != a ? b : a; }
float Higher(float a, float b) { return b > a || a != a ? b : a; }

// Where a point is searched: its cell, and on each axis the buckets of its coordinate less and
// plus the reach, the same bucket or two neighbours.
struct PointBuckets {
  BucketKey cell;
  std::array<std::array<std::uint64_t, 2>, 3> bits;
  std::array<bool, 3> two;

  BucketKey Key(std::size_t i, std::size_t j, std::size_t k) const { return cell | bits[0][i] | bits[1][j] | bits[2][k]; }
};

}  // namespace

WeldedMesh BuildWeldedMesh(const std::vector<Vector3>& points) {
  WeldedMesh welded;
  if (points.empty()) return welded;
  Vector3 min = points.front();
  Vector3 max = points.front();
  for (const Vector3& p : points) {
    min = {Lower(min.x, p.x), Lower(min.y, p.y), Lower(min.z, p.z)};
    max = {Higher(max.x, p.x), Higher(max.y, p.y), Higher(max.z, p.z)};
  }
  const AxisCells x(min.x, max.x);
  const AxisCells y(min.y, max.y);
  const AxisCells z(min.z, max.z);
  const auto bucketsOf = [&](const Vector3& p) {
    PointBuckets b;
    b.cell = static_cast<BucketKey>((x.Index(p.x) * kCellsPerAxis + y.Index(p.y)) * kCellsPerAxis + z.Index(p.z)) << 48;
    const std::array<double, 3> c = {p.x, p.y, p.z};
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const double low = Bucket(c[axis] - kReach);
      const double high = Bucket(c[axis] + kReach);
      b.bits[axis] = {AxisBits(axis, low), AxisBits(axis, high)};
      b.two[axis] = !(high == low);
    }
    return b;
  };
  // The bucket of the point itself, between the two of each axis: the one when they agree.
  const auto ownKey = [](const PointBuckets& b, const Vector3& p) {
    const std::array<double, 3> c = {p.x, p.y, p.z};
    BucketKey key = b.cell;
    for (std::size_t axis = 0; axis < 3; ++axis) key |= b.two[axis] ? AxisBits(axis, Bucket(c[axis])) : b.bits[axis][0];
    return key;
  };
  // The newest unique point of each bucket, and for each unique point the one before it in its
  // bucket: every bucket's points newest first, as the rule searches a cell.
  BucketTable newest(points.size());
  std::vector<std::int32_t> older;
  welded.remap.reserve(points.size());
  // A closed triangle mesh has about a sixth as many unique points as corners.
  welded.points.reserve(points.size() / 6 + 1024);
  older.reserve(points.size() / 6 + 1024);
  // The buckets of the next few points, worked out ahead so that their table slots are on the
  // way from memory while the points before them are searched.
  constexpr std::size_t kAhead = 16;
  std::array<PointBuckets, kAhead> ahead;
  const std::size_t count = points.size();
  for (std::size_t i = 0; i < std::min(kAhead, count); ++i) {
    ahead[i] = bucketsOf(points[i]);
    newest.Prefetch(ahead[i].Key(0, 0, 0));
  }
  for (std::size_t n = 0; n < count; ++n) {
    const Vector3& p = points[n];
    const PointBuckets b = ahead[n % kAhead];
    if (n + kAhead < count) {
      PointBuckets& next = ahead[n % kAhead];
      next = bucketsOf(points[n + kAhead]);
      newest.Prefetch(next.Key(0, 0, 0));
    }
    // The newest match over the buckets in reach: in each, the first match from its newest point
    // on, unless an older point than the best so far is reached.
    std::int32_t match = -1;
    for (std::size_t i = 0; i < (b.two[0] ? 2u : 1u); ++i) {
      for (std::size_t j = 0; j < (b.two[1] ? 2u : 1u); ++j) {
        for (std::size_t k = 0; k < (b.two[2] ? 2u : 1u); ++k) {
          for (std::int32_t u = newest.Newest(b.Key(i, j, k)); u > match; u = older[static_cast<std::size_t>(u)]) {
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
      older.push_back(newest.Push(ownKey(b, p), match));
    }
    welded.remap.push_back(match);
  }
  return welded;
}

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "exchange/mesh_welding.h"

namespace {

// The welding rule evaluated pair by pair, in float as the importer does: each point is compared
// with every earlier unique point, newest first, and takes the first that shares its cell on all
// three axes and lies within 0.0001 on each.
std::vector<std::int32_t> ReferenceRemap(const std::vector<Vector3>& points) {
  std::vector<std::int32_t> remap;
  if (points.empty()) return remap;
  float low[3];
  float high[3];
  for (int axis = 0; axis < 3; ++axis) low[axis] = high[axis] = (&points[0].x)[axis];
  for (const Vector3& p : points) {
    for (int axis = 0; axis < 3; ++axis) {
      low[axis] = std::fmin(low[axis], (&p.x)[axis]);
      high[axis] = std::fmax(high[axis], (&p.x)[axis]);
    }
  }
  const auto cellOf = [&](const Vector3& p) {
    std::vector<int> cell;
    for (int axis = 0; axis < 3; ++axis) {
      const float size = (high[axis] - low[axis]) / 32.0f;
      float boundary = low[axis];
      int count = 0;
      for (int k = 1; k <= 31; ++k) {
        boundary += size;
        if (boundary <= (&p.x)[axis]) ++count;
      }
      cell.push_back(count);
    }
    return cell;
  };
  std::vector<Vector3> unique;
  std::vector<std::vector<int>> uniqueCells;
  for (const Vector3& p : points) {
    const std::vector<int> cell = cellOf(p);
    int match = -1;
    for (int j = static_cast<int>(unique.size()) - 1; j >= 0 && match < 0; --j) {
      const Vector3& u = unique[static_cast<std::size_t>(j)];
      if (uniqueCells[static_cast<std::size_t>(j)] == cell && std::fabs(u.x - p.x) < 0.0001f &&
          std::fabs(u.y - p.y) < 0.0001f && std::fabs(u.z - p.z) < 0.0001f) {
        match = j;
      }
    }
    if (match < 0) {
      match = static_cast<int>(unique.size());
      unique.push_back(p);
      uniqueCells.push_back(cell);
    }
    remap.push_back(match);
  }
  return remap;
}

// The remap must equal the reference, and the unique points be each number's first point.
void ExpectReferenceWelding(const std::vector<Vector3>& points) {
  const WeldedMesh welded = BuildWeldedMesh(points);
  ASSERT_EQ(welded.remap, ReferenceRemap(points));
  std::size_t next = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (static_cast<std::size_t>(welded.remap[i]) != next) continue;
    ASSERT_LT(next, welded.points.size());
    EXPECT_EQ(welded.points[next], points[i]);
    ++next;
  }
  EXPECT_EQ(next, welded.points.size());
}

TEST(MeshWeldingTest, ToleranceAndCellBoundaries) {
  struct Case {
    const char* name;
    std::vector<Vector3> points;
    std::vector<std::int32_t> remap;
  };
  // The origin and (32, 32, 32) come first in each set: cells of 1, their boundaries exact.
  const Vector3 o{0, 0, 0};
  const Vector3 f{32, 32, 32};
  const std::vector<Case> cases = {
      {"nothing", {}, {}},
      {"corners 0.00005 apart merge", {o, f, {0.5f, 0.5f, 0.5f}, {0.50005f, 0.50005f, 0.50005f}}, {0, 1, 2, 2}},
      {"corners 0.0002 apart do not", {o, f, {0.5f, 0.5f, 0.5f}, {0.5002f, 0.5f, 0.5f}}, {0, 1, 2, 3}},
      {"closer than 0.0001 across a cell boundary", {o, f, {0.99996f, 0.5f, 0.5f}, {1.00003f, 0.5f, 0.5f}}, {0, 1, 2, 3}},
      {"the newest match wins", {o, f, {0.5f, 0.5f, 0.5f}, {0.50015f, 0.5f, 0.5f}, {0.50007f, 0.5f, 0.5f}}, {0, 1, 2, 3, 3}},
      {"the newest match lies across 0.003", {o, f, {0.00292f, 0.5f, 0.5f}, {0.00308f, 0.5f, 0.5f}, {0.00299f, 0.5f, 0.5f}},
       {0, 1, 2, 3, 3}},
      {"one point over and over, no extent", {{7, 7, 7}, {7, 7, 7}, {7, 7, 7}}, {0, 0, 0}},
      // Cells of 256: points 131.072 apart share a cell and a table key, yet never merge.
      {"buckets 2^16 apart",
       {o, {8192, 8192, 8192}, {1, 0.5f, 0.5f}, {132.072f, 0.5f, 0.5f}, {1.00005f, 0.5f, 0.5f}, {132.07205f, 0.5f, 0.5f}},
       {0, 1, 2, 3, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WeldedMesh welded = BuildWeldedMesh(c.points);
    EXPECT_EQ(welded.remap, c.remap);
    EXPECT_EQ(welded.remap, ReferenceRemap(c.points));
  }
}

// Seeded clouds of base points, each repeated with small offsets on both sides of the tolerance,
// in boxes of many shapes: flat ones (one or two zero extents), thin and wide ones.
TEST(MeshWeldingTest, MatchesThePairByPairRule) {
  std::mt19937 random(36);
  const std::vector<Vector3> extents = {{10, 10, 10}, {10, 10, 0}, {0, 5, 5}, {3, 0, 0}, {0.003f, 100, 1}, {1e4f, 1e4f, 0}};
  for (const Vector3& extent : extents) {
    for (int round = 0; round < 4; ++round) {
      SCOPED_TRACE(testing::Message() << "extent " << extent.x << " " << extent.y << " " << extent.z << ", round " << round);
      std::uniform_real_distribution<float> unit(0.0f, 1.0f);
      std::uniform_real_distribution<float> jitter(-0.00015f, 0.00015f);
      std::vector<Vector3> bases;
      for (int i = 0; i < 300; ++i) bases.push_back({extent.x * unit(random), extent.y * unit(random), extent.z * unit(random)});
      std::vector<Vector3> points;
      std::uniform_int_distribution<std::size_t> pick(0, bases.size() - 1);
      for (int i = 0; i < 1500; ++i) {
        Vector3 p = bases[pick(random)];
        if (i % 3 != 0) {
          if (extent.x > 0) p.x += jitter(random);
          if (extent.y > 0) p.y += jitter(random);
          if (extent.z > 0) p.z += jitter(random);
        }
        points.push_back(p);
      }
      ExpectReferenceWelding(points);
    }
  }
}

}  // namespace

#include "kernel/block_solid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "closed_solid_checks.h"
#include "kernel/block_object.h"
#include "kernel/frame_point_budget.h"
#include "program_state.h"

namespace {

class BlockSolidTest : public LumidrexTest {};

using Rings = std::vector<std::vector<Vector3>>;

// A ring of n points round (cx, cy) at radii drawn between low and high, counter-clockwise
// unless asked otherwise.
std::vector<Vector3> StarRing(std::mt19937& random, int n, float cx, float cy, float low, float high, bool clockwise) {
  std::uniform_real_distribution<float> radius(low, high);
  std::vector<Vector3> ring;
  for (int i = 0; i < n; ++i) {
    const double a = 2 * std::numbers::pi * (clockwise ? -i : i) / n;
    const float r = radius(random);
    ring.push_back({cx + r * static_cast<float>(std::cos(a)), cy + r * static_cast<float>(std::sin(a)), 0});
  }
  return ring;
}

std::vector<Vector3> Square(float low, float high, bool clockwise) {
  std::vector<Vector3> ring = {{low, low, 0}, {high, low, 0}, {high, high, 0}, {low, high, 0}};
  if (clockwise) std::reverse(ring.begin(), ring.end());
  return ring;
}

std::unique_ptr<CBlockObject> MakeBlock(const Rings& rings, int steps, float thickness, int front = kBlockEndFlat,
                                        int back = kBlockEndFlat, float radius = 0) {
  auto block = std::make_unique<CBlockObject>();
  std::vector<CBlockObject::Profile> profiles;
  for (const auto& ring : rings) profiles.push_back({ring, steps});
  block->SetProfiles(profiles);
  block->thickness = thickness;
  block->frontEndType = front;
  block->backEndType = back;
  block->radius = radius;
  block->Rebuild();
  return block;
}

// The area the rings' curves enclose with the holes taken out, whichever way each was drawn:
// the outermost ring first, each later one nested in the one before.
double NestedArea(const Rings& rings, int steps) {
  double area = 0;
  for (std::size_t r = 0; r < rings.size(); ++r) {
    area += (r % 2 == 0 ? 1 : -1) * std::fabs(ClosedCurveArea(rings[r], steps));
  }
  return area;
}

// Profiles convex, concave, with a hole drawn either way and with an island in the hole, each
// ring drawn clockwise or not as a seeded draw says, at every step count a block is made with:
// the triangles close (every edge shared by two running it opposite ways) and enclose the
// profile's area times the thickness, facing out.
TEST_F(BlockSolidTest, EveryBlockIsAClosedSolidFacingOut) {
  std::mt19937 random(441);
  std::bernoulli_distribution either;
  std::vector<std::pair<const char*, Rings>> profiles;
  for (const bool clockwise : {false, true}) {
    profiles.push_back({"hexagon", {StarRing(random, 6, 1, 2, 3, 3, clockwise)}});
    profiles.push_back({"square with a hole drawn the same way", {Square(0, 8, clockwise), Square(2, 6, clockwise)}});
    profiles.push_back({"square with a hole drawn against it", {Square(0, 8, clockwise), Square(2, 6, !clockwise)}});
  }
  for (int shape = 0; shape < 6; ++shape) {
    profiles.push_back({"star", {StarRing(random, 5 + shape * 3, 0, 0, 2, 5, either(random))}});
    profiles.push_back({"star with a hole and an island",
                        {StarRing(random, 7 + shape, 0, 0, 6, 10, either(random)),
                         StarRing(random, 6 + shape, 0, 0, 1.6f, 2.4f, either(random)),
                         StarRing(random, 3 + shape, 0, 0, 0.2f, 0.6f, either(random))}});
  }
  for (const auto& [name, rings] : profiles) {
    for (const int steps : {0, 1, 2, 4, 8, 16}) {
      SCOPED_TRACE(testing::Message() << name << ", steps " << steps);
      const auto block = MakeBlock(rings, steps, 1.5f);
      const BlockSolid solid = TessellateBlock(*block);
      ASSERT_FALSE(solid.faceIndices.empty());
      EXPECT_EQ(OpenEdges(solid.points, solid.faceIndices), 0);
      const double expected = NestedArea(rings, steps) * 1.5;
      EXPECT_NEAR(SignedVolume(solid.points, solid.faceIndices), expected, 0.005 * expected);
    }
  }
}

// Round and chamfered ends, a mirroring placement and depth along y or x: still closed and
// facing out; a chamfer adds a frustum to the prism.
TEST_F(BlockSolidTest, EndPiecesAndPlacementsKeepTheSolidClosed) {
  const Rings ring = {Square(-2, 2, true)};
  const double prism = 16.0 * 2;
  for (const int front : {kBlockEndFlat, kBlockEndRound, kBlockEndChamfer}) {
    for (const int back : {kBlockEndFlat, kBlockEndRound, kBlockEndChamfer}) {
      for (const int depth : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "front " << front << ", back " << back << ", depth axis " << depth);
        auto block = MakeBlock(ring, 4, 2.0f, front, back, 0.5f);
        block->firstAxis = (depth + 1) % 3;
        block->secondAxis = (depth + 2) % 3;
        block->depthAxis = depth;
        // The square's (x, y) on the first and second axes.
        std::vector<Vector3> turned;
        for (const Vector3& q : ring[0]) {
          float c[3] = {0, 0, 0};
          c[block->firstAxis] = q.x;
          c[block->secondAxis] = q.y;
          turned.push_back({c[0], c[1], c[2]});
        }
        block->SetProfiles({{turned, 4}});
        block->Rebuild();
        for (const float mirror : {1.0f, -1.0f}) {
          block->placement = kIdentityMatrix;
          block->placement.m[0] = mirror;
          const BlockSolid solid = TessellateBlock(*block);
          EXPECT_EQ(OpenEdges(solid.points, solid.faceIndices), 0);
          // The profile drawn clockwise: the round and chamfered ends shrink into it.
          const double volume = SignedVolume(solid.points, solid.faceIndices);
          EXPECT_GT(volume, 0.0);
          if (front == kBlockEndFlat && back == kBlockEndFlat) {
            EXPECT_NEAR(volume, NestedArea(ring, 4) * 2, 1e-4 * prism);
          }
        }
      }
    }
  }
}

// A step count from a damaged file gives an end face a few thousand outline points at most, in
// all its profiles together (its triangulation costs their square); ordinary steps are kept. The
// points of the back face and of the front face are the solid's distinct points.
TEST_F(BlockSolidTest, EndFacesTakeAFewThousandOutlinePointsAtMost) {
  struct Case {
    const char* name;
    Rings rings;
    int steps;
    std::size_t fewest, most;  // outline points of one end face
  };
  const Rings holes = {Square(0, 40, false), Square(2, 6, false), Square(12, 16, true), Square(22, 26, false),
                       Square(32, 36, false)};
  const Case cases[] = {
      {"a square at 8 steps", {Square(0, 8, false)}, 8, 32, 32},
      {"a square with four holes at 16 steps", holes, 16, 320, 320},
      {"a square at 2^20 steps", {Square(0, 8, false)}, 1 << 20, 2048, 4096},
      {"a square with four holes at 2^20 steps", holes, 1 << 20, 2048, 4096},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BlockSolid solid = TessellateBlock(*MakeBlock(c.rings, c.steps, 1.0f));
    std::set<std::tuple<float, float, float>> distinct;
    for (const Vector3& p : solid.points) distinct.insert({p.x, p.y, p.z});
    EXPECT_GE(distinct.size() / 2, c.fewest);
    EXPECT_LE(distinct.size() / 2, c.most);
    EXPECT_EQ(OpenEdges(solid.points, solid.faceIndices), 0);
  }
}

// In a drawn frame, blocks at ordinary steps tessellate exactly as outside one; a damaged one
// whose walls ask for more points than the frame holds is lowered to about what it holds, still
// closed.
TEST_F(BlockSolidTest, AFrameLowersOnlyTheBlocksItsBudgetCannotHold) {
  std::mt19937 random(48);
  const Rings holed = {StarRing(random, 9, 0, 0, 6, 9, false), StarRing(random, 5, 0, 0, 1, 3, false)};
  for (const int steps : {0, 1, 4, 8, 32}) {
    for (const int end : {kBlockEndFlat, kBlockEndRound, kBlockEndChamfer}) {
      SCOPED_TRACE(testing::Message() << steps << " steps, end " << end);
      const auto block = MakeBlock(holed, steps, 2.0f, end, end, 0.5f);
      const BlockSolid outside = TessellateBlock(*block);
      const FramePointBudget frame;
      const BlockSolid inside = TessellateBlock(*block);
      EXPECT_EQ(inside.faceIndices, outside.faceIndices);
      EXPECT_EQ(inside.points, outside.points);
    }
  }
  const auto damaged = MakeBlock(holed, 1 << 16, 2.0f, kBlockEndRound, kBlockEndFlat, 0.5f);
  EXPECT_GT(TessellateBlock(*damaged).points.size(), 40000u);
  const FramePointBudget frame(4000);
  const BlockSolid lowered = TessellateBlock(*damaged);
  EXPECT_LE(lowered.points.size(), 4000u);
  EXPECT_GT(lowered.points.size(), 2000u);
  EXPECT_EQ(OpenEdges(lowered.points, lowered.faceIndices), 0);
  EXPECT_EQ(FramePointsTaken(), 4000);
}

TEST_F(BlockSolidTest, ProfilesOfFewerThanThreePointsAndBadAxesGiveNothing) {
  auto block = MakeBlock({{{0, 0, 0}, {1, 0, 0}}}, 4, 1.0f);
  EXPECT_TRUE(TessellateBlock(*block).faceIndices.empty());
  block = MakeBlock({Square(0, 1, false)}, 4, 1.0f);
  block->depthAxis = block->firstAxis;
  EXPECT_TRUE(TessellateBlock(*block).points.empty());
}

}  // namespace

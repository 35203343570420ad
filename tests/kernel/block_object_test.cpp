#include "kernel/block_object.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"
#include "kernel/solid_profile_points.h"
#include "kernel/surface_object.h"
#include "scene/drawing_context.h"
#include "program_state.h"
#include "record_fixture.h"
#include "test_matrices.h"

namespace {

class BlockObjectTest : public LumidrexTest {};

constexpr int kSteps = 5;

// A square profile of side 2 in the plane of the given first and second axes.
std::vector<Vector3> Square(int firstAxis, int secondAxis) {
  std::vector<Vector3> square;
  for (const auto& [u, v] : {std::pair{0.0f, 0.0f}, {2.0f, 0.0f}, {2.0f, 2.0f}, {0.0f, 2.0f}}) {
    float coordinates[3] = {0, 0, 0};
    coordinates[firstAxis] = u;
    coordinates[secondAxis] = v;
    square.push_back({coordinates[0], coordinates[1], coordinates[2]});
  }
  return square;
}

std::unique_ptr<CBlockObject> SquareBlock(int first, int second, int depth, int front, int back,
                                          float thickness, float radius) {
  auto block = std::make_unique<CBlockObject>();
  block->firstAxis = first;
  block->secondAxis = second;
  block->depthAxis = depth;
  block->frontEndType = front;
  block->backEndType = back;
  block->thickness = thickness;
  block->radius = radius;
  block->SetProfiles({{Square(first, second), kSteps}});
  return block;
}

// A control row: the blend t between the profile p (0) and the wall profile e (1), at a depth.
struct Row {
  float t;
  float depth;
};

struct Case {
  const char* name;
  int first, second, depth, front, back;
  float thickness, radius;
  float storedRadius;
  std::vector<std::vector<Row>> surfaces;  // in chain order
  std::vector<Row> outlines;               // back, then front
};

std::vector<Vector3> ExpectedRow(const Case& c, const std::vector<Vector3>& p,
                                 const std::vector<Vector3>& e, Row row) {
  std::vector<Vector3> out;
  for (std::size_t i = 0; i < p.size(); ++i) {
    Vector3 v = row.t == 0   ? p[i]
                : row.t == 1 ? e[i]
                             : VecAdd(p[i], VecScale(VecSub(e[i], p[i]), row.t));
    float coordinates[3] = {v.x, v.y, v.z};
    coordinates[c.depth] = row.depth * (c.depth == 1 ? -1.0f : 1.0f);
    out.push_back({coordinates[0], coordinates[1], coordinates[2]});
  }
  return out;
}

// Profiles are set one record of points and steps each, so the tables always fit.
TEST_F(BlockObjectTest, SetProfilesKeepsTheTablesTogether) {
  CBlockObject block;
  block.profileSteps = {1, 2, 3};  // stale, longer than what follows
  block.SetProfiles({{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, 4}, {{{5, 5, 0}, {6, 5, 0}, {6, 6, 0}, {5, 6, 0}}, 7}});
  EXPECT_EQ(block.profileSizes, (std::vector<std::int32_t>{3, 4}));
  EXPECT_EQ(block.profileSteps, (std::vector<std::int32_t>{4, 7}));
  EXPECT_EQ(block.profilePoints.size(), 7u);
  EXPECT_EQ(block.profilePoints[3], (Vector3{5, 5, 0}));
  EXPECT_TRUE(block.ProfilesFitPoints());
}

TEST_F(BlockObjectTest, RebuildMakesTheChildren) {
  const Case cases[] = {
      {"flat ends drop the radius", 0, 1, 2, kBlockEndFlat, kBlockEndFlat, 3, 2, 0,
       {{{1, 0}, {1, 3}}},
       {{1, 0}, {1, 3}}},
      {"round back, flat front", 0, 1, 2, kBlockEndFlat, kBlockEndRound, 5, 1, 1,
       {{{1, 1}, {1, 6}}, {{0, 0}, {0.25f, 0}, {0.75f, 0.25f}, {1, 0.75f}, {1, 1}}},
       {{0, 0}, {1, 6}}},
      {"round front, chamfered back", 0, 1, 2, kBlockEndRound, kBlockEndChamfer, 2, 0.5f, 0.5f,
       {{{1, 0.5f}, {1, 2.5f}},
        {{0, 0}, {1, 0.5f}},
        {{1, 2.5f}, {1, 2.625f}, {0.75f, 2.875f}, {0.25f, 3}, {0, 3}}},
       {{0, 0}, {0, 3}}},
      {"depth along y runs negative", 0, 2, 1, kBlockEndChamfer, kBlockEndChamfer, 4, 0.5f, 0.5f,
       {{{1, 0.5f}, {1, 4.5f}}, {{0, 0}, {1, 0.5f}}, {{1, 4.5f}, {0, 5}}},
       {{0, 0}, {0, 5}}},
      {"too thin for a wall", 1, 2, 0, kBlockEndFlat, kBlockEndChamfer, 0.0005f, 1, 1,
       {{{0, 0}, {1, 1}}},
       {{0, 0}, {1, 1.0005f}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    const auto block =
        SquareBlock(c.first, c.second, c.depth, c.front, c.back, c.thickness, c.radius);
    block->Rebuild();
    EXPECT_EQ(block->radius, c.storedRadius);

    const std::vector<Vector3> p = block->profilePoints;
    Matrix4 frame = kIdentityMatrix;
    SetMatrixRow(&frame, c.first, {1, 0, 0});
    SetMatrixRow(&frame, c.second, {0, 1, 0});
    SetMatrixRow(&frame, c.depth, {0, 0, c.depth == 1 ? -1.0f : 1.0f});
    const std::vector<Vector3> e =
        c.storedRadius == 0
            ? p
            : BuildSolidProfilePoints(p.data(), 4, 1, c.storedRadius, MatInverse(frame));

    const CGeomObject* child = block->surfaces.head();
    for (const auto& rows : c.surfaces) {
      ASSERT_NE(child, nullptr);
      ASSERT_EQ(child->GetKind(), kKindSurface);
      const auto& surface = static_cast<const CSurfaceObject&>(*child);
      EXPECT_EQ(surface.rows, static_cast<int>(rows.size()));
      EXPECT_EQ(surface.columns, 4);
      EXPECT_EQ(surface.closedV, 1);
      EXPECT_EQ(surface.closedU, 0);
      EXPECT_EQ(surface.displayStepsV, kSteps);
      EXPECT_EQ(surface.displayStepsU, rows.size() == 2 ? 0 : 4);
      EXPECT_EQ(surface.outputStepsU, 8);
      EXPECT_EQ(surface.orientationSign, -1);
      std::vector<Vector3> expected;
      for (const Row& row : rows) {
        const auto points = ExpectedRow(c, p, e, row);
        expected.insert(expected.end(), points.begin(), points.end());
      }
      EXPECT_EQ(surface.points, expected);
      child = child->next;
    }
    EXPECT_EQ(child, nullptr);

    child = block->outlineCurves.head();
    for (const Row& row : c.outlines) {
      ASSERT_NE(child, nullptr);
      ASSERT_EQ(child->GetKind(), kKindCurve);
      const auto& curve = static_cast<const CCurveObject&>(*child);
      EXPECT_EQ(curve.closed, 1);
      EXPECT_EQ(curve.stepsPerSpan, kSteps);
      EXPECT_EQ(curve.points, ExpectedRow(c, p, e, row));
      child = child->next;
    }
    EXPECT_EQ(child, nullptr);
  }
}

TEST_F(BlockObjectTest, RebuildReplacesChildrenAndRefusesBadAxes) {
  const auto block = SquareBlock(0, 1, 2, kBlockEndFlat, kBlockEndFlat, 3, 0);
  block->Rebuild();
  block->Rebuild();
  int curves = 0;
  for (const CGeomObject* c = block->outlineCurves.head(); c != nullptr; c = c->next) ++curves;
  EXPECT_EQ(curves, 2);

  block->depthAxis = 1;  // first 0, second 1, depth 1
  block->Rebuild();
  EXPECT_TRUE(block->outlineCurves.empty());
  EXPECT_TRUE(block->surfaces.empty());

  // Profiles of fewer than three points still rebuild.
  for (const int n : {0, 1, 2}) {
    const auto small = SquareBlock(0, 1, 2, kBlockEndRound, kBlockEndRound, 1, 0.5f);
    small->profilePoints.resize(static_cast<std::size_t>(n));
    small->profileSizes = {n};
    small->Rebuild();
    EXPECT_FALSE(small->outlineCurves.empty());
  }
}

Bytes ExpectedRecord(const CBlockObject& block) {
  Bytes bytes = FreshCommonRecord(kKindBlock);
  AppendMatrix(&bytes, block.placement);
  for (const std::int32_t value : {block.ProfileCount(), block.firstAxis, block.secondAxis,
                                   block.depthAxis, block.frontEndType, block.backEndType}) {
    Append(&bytes, value);
  }
  Append(&bytes, block.thickness);
  Append(&bytes, block.radius);
  for (int i = 0; i < block.ProfileCount(); ++i) {
    Append(&bytes, block.profileSizes[static_cast<std::size_t>(i)]);
    Append(&bytes, block.profileSteps[static_cast<std::size_t>(i)]);
  }
  for (const Vector3& p : block.profilePoints) {
    Append(&bytes, p.x);
    Append(&bytes, p.y);
    Append(&bytes, p.z);
  }
  return bytes;
}

std::vector<std::vector<Vector3>> ChildPoints(const ObjectChain& chain) {
  std::vector<std::vector<Vector3>> out;
  for (const CGeomObject* c = chain.head(); c != nullptr; c = c->next) {
    out.push_back(static_cast<const CPointSetObject*>(c)->points);
  }
  return out;
}

TEST_F(BlockObjectTest, RecordByteForByteAndRebuiltOnReading) {
  const auto block = SquareBlock(0, 1, 2, kBlockEndChamfer, kBlockEndRound, 2, 0.25f);
  block->profilePoints.insert(block->profilePoints.end(), {{5, 5, 0}, {6, 5, 0}, {5, 6, 0}});
  block->profileSizes.push_back(3);
  block->profileSteps.push_back(7);
  block->placement = Translation(1, 2, 3);
  block->Rebuild();

  const Bytes bytes = CaptureWrite([&] { block->Write(); });
  ASSERT_EQ(bytes, ExpectedRecord(*block));

  const auto back = ReadRecordAs<CBlockObject>(bytes);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->ObjectState, 0);
  EXPECT_EQ(back->placement, block->placement);
  EXPECT_EQ(back->profilePoints, block->profilePoints);
  EXPECT_EQ(back->profileSizes, block->profileSizes);
  EXPECT_EQ(back->profileSteps, block->profileSteps);
  EXPECT_EQ(back->thickness, 2.0f);
  EXPECT_EQ(back->radius, 0.25f);
  EXPECT_EQ(ChildPoints(back->surfaces), ChildPoints(block->surfaces));
  EXPECT_EQ(ChildPoints(back->outlineCurves), ChildPoints(block->outlineCurves));
  EXPECT_EQ(ChildPoints(back->surfaces).size(), 6u);
}

// Reading sets the surfaces' outside by the handedness of the placement.
TEST_F(BlockObjectTest, MirroredPlacementTurnsTheSurfacesOut) {
  for (const float mirror : {1.0f, -1.0f}) {
    SCOPED_TRACE(mirror);
    const auto block = SquareBlock(0, 1, 2, kBlockEndRound, kBlockEndRound, 1, 0.5f);
    block->placement[0] = mirror;
    const auto back = ReadRecordAs<CBlockObject>(CaptureWrite([&] { block->Write(); }));
    ASSERT_NE(back, nullptr);
    int surfaces = 0;
    for (const CGeomObject* s = back->surfaces.head(); s != nullptr; s = s->next, ++surfaces) {
      EXPECT_EQ(static_cast<const CSurfaceObject*>(s)->orientationSign, mirror < 0 ? 1 : -1);
    }
    EXPECT_EQ(surfaces, 3);
  }
}

TEST_F(BlockObjectTest, BadRecordsReadAsBad) {
  struct Case {
    const char* name;
    std::int32_t count, first, second, depth;
    std::vector<std::int32_t> table;  // (size, steps) pairs
    bool streamFails;
  };
  const Case cases[] = {
      {"repeated axis", 1, 0, 0, 2, {4, 5}, false},
      {"axis 3", 1, 0, 1, 3, {4, 5}, false},
      {"axis -1", 1, -1, 1, 2, {4, 5}, false},
      {"negative count", -1, 0, 1, 2, {4, 5}, true},
      {"negative size", 1, 0, 1, 2, {-4, 5}, true},
      {"points beyond the end", 1, 0, 1, 2, {400, 5}, true},
      {"count beyond the end", 100000, 0, 1, 2, {4, 5}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    Bytes bytes = FreshCommonRecord(kKindBlock);
    AppendMatrix(&bytes, kIdentityMatrix);
    for (const std::int32_t value : {c.count, c.first, c.second, c.depth, 1, 1}) {
      Append(&bytes, value);
    }
    Append(&bytes, 1.0f);
    Append(&bytes, 0.5f);
    for (const std::int32_t value : c.table) Append(&bytes, value);
    for (const Vector3& p : Square(0, 1)) {
      Append(&bytes, p.x);
      Append(&bytes, p.y);
      Append(&bytes, p.z);
    }

    ScratchFile file(bytes);
    const std::unique_ptr<CGeomObject> object = ReadObject();
    ASSERT_NE(object, nullptr);
    const auto& back = static_cast<const CBlockObject&>(*object);
    EXPECT_EQ(back.ObjectState, kStateBadRecord);
    EXPECT_TRUE(back.surfaces.empty());
    EXPECT_TRUE(back.outlineCurves.empty());
    EXPECT_EQ(back.ProfileCount(), 0);
    EXPECT_TRUE(back.profilePoints.empty());
    EXPECT_EQ(ObjectStreamFailed(), c.streamFails);
  }
}

TEST_F(BlockObjectTest, CloneSwapBoundsAndDraw) {
  const auto block = SquareBlock(0, 1, 2, kBlockEndFlat, kBlockEndFlat, 3, 0);
  block->placement = Translation(10, 0, 0);
  block->Rebuild();

  Vector3 min, max;
  block->GetBounds(&min, &max, Translation(0, 0, 100));
  EXPECT_EQ(min, Vector3(10, 0, 100));
  EXPECT_EQ(max, Vector3(12, 2, 103));

  const std::unique_ptr<CGeomObject> clone = block->Clone();
  auto& copy = static_cast<CBlockObject&>(*clone);
  EXPECT_EQ(copy.placement, block->placement);
  EXPECT_EQ(copy.thickness, 3.0f);
  EXPECT_EQ(copy.profileSteps, block->profileSteps);
  EXPECT_EQ(ChildPoints(copy.surfaces), ChildPoints(block->surfaces));
  EXPECT_EQ(ChildPoints(copy.outlineCurves), ChildPoints(block->outlineCurves));
  EXPECT_NE(copy.surfaces.head(), block->surfaces.head());

  CBlockObject empty;
  CGeomObject anchor;
  empty.next = &anchor;
  const CGeomObject* firstSurface = block->surfaces.head();
  empty.Swap(*block);
  EXPECT_EQ(empty.next, &anchor);
  EXPECT_EQ(empty.surfaces.head(), firstSurface);
  EXPECT_EQ(empty.thickness, 3.0f);
  EXPECT_TRUE(block->surfaces.empty());
  block->GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_GT(min.x, max.x);

  // Drawing brackets the model matrix with the placement and puts it back.
  const Matrix4 view = Translation(0, 5, 0);
  SetModelMatrix(view);
  MultiplyModelMatrix(Translation(1, 0, 0));
  EXPECT_EQ(GetModelMatrix(), Translation(1, 5, 0));
  SetModelMatrix(view);
  for (const int mode : {0, 10, 20}) {
    empty.Draw(mode);
    EXPECT_EQ(GetModelMatrix(), view);
  }
}

}  // namespace

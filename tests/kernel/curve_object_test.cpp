#include <gtest/gtest.h>

#include <memory>

#include "kernel/curve_object.h"
#include "kernel/object_kind_registry.h"
#include "program_state.h"
#include "record_fixture.h"
#include "scratch_file.h"
#include "test_matrices.h"

namespace {

class CurveObjectTest : public LumidrexTest {};

TEST_F(CurveObjectTest, NewCurveIsAnOpenEightStepCurveWithShownPoints) {
  const CCurveObject curve;
  EXPECT_EQ(curve.GetKind(), kKindCurve);
  EXPECT_EQ(curve.GetCategory(), 1);
  EXPECT_EQ(curve.PointCount(), 0);
  EXPECT_EQ(curve.stepsPerSpan, 8);
  EXPECT_EQ(curve.closed, 0);
  EXPECT_EQ(curve.startAttribute, 0);
  EXPECT_EQ(curve.endAttribute, 0);
  EXPECT_EQ(curve.spareWord, 0);
  EXPECT_EQ(curve.controlPointsHidden, 0);
}

TEST_F(CurveObjectTest, RecordIsThePointSetThenTheCurveFields) {
  CCurveObject curve;
  curve.SetPoints(2, {{1, 2, 3}, {4, 5, 6}}, {0, 1});
  curve.startAttribute = 1;
  curve.endAttribute = 0;
  curve.closed = 1;
  curve.stepsPerSpan = 12;
  curve.controlPointsHidden = 1;
  curve.spareWord = 77;

  Bytes expected = PointSetRecord(kKindCurve, {{1, 2, 3}, {4, 5, 6}}, {0, 1});
  for (const std::int32_t field : {1, 0, 1, 12}) Append<std::int32_t>(&expected, field);
  Append<std::int16_t>(&expected, 1);
  EXPECT_EQ(CaptureWrite([&] { curve.Write(); }), expected);

  const std::unique_ptr<CCurveObject> back = ReadRecordAs<CCurveObject>(expected);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->ObjectState, 0);
  EXPECT_EQ(back->points, curve.points);
  EXPECT_EQ(back->marks, curve.marks);
  EXPECT_EQ(back->startAttribute, 1);
  EXPECT_EQ(back->endAttribute, 0);
  EXPECT_EQ(back->closed, 1);
  EXPECT_EQ(back->stepsPerSpan, 12);
  EXPECT_EQ(back->controlPointsHidden, 1);
  EXPECT_EQ(back->spareWord, 0);  // not in the record

  // The hidden flag is 16 bits, read sign-extended: a stored 0xFFFF is hidden.
  expected[expected.size() - 2] = 0xFF;
  expected[expected.size() - 1] = 0xFF;
  EXPECT_EQ(ReadRecordAs<CCurveObject>(expected)->controlPointsHidden, -1);
}

TEST_F(CurveObjectTest, CloneAndSwapCarryEveryCurveField) {
  CCurveObject a;
  a.SetPoints(3, {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
  a.startAttribute = 1;
  a.endAttribute = 2;
  a.closed = 1;
  a.stepsPerSpan = 3;
  a.spareWord = 9;
  a.ObjectState = 1;
  const std::unique_ptr<CGeomObject> clone = a.Clone();
  auto* copy = dynamic_cast<CCurveObject*>(clone.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->points, a.points);
  EXPECT_EQ(copy->ObjectState, 1);
  EXPECT_EQ(copy->startAttribute, 1);
  EXPECT_EQ(copy->endAttribute, 2);
  EXPECT_EQ(copy->closed, 1);
  EXPECT_EQ(copy->stepsPerSpan, 3);
  EXPECT_EQ(copy->spareWord, 9);
  copy->points[0] = {7, 7, 7};
  EXPECT_EQ(a.points[0], Vector3(1, 0, 0));

  CCurveObject b;
  CGeomObject anchorA, anchorB;
  a.next = &anchorA;
  b.next = &anchorB;
  a.Swap(b);
  EXPECT_EQ(a.next, &anchorA);
  EXPECT_EQ(b.next, &anchorB);
  EXPECT_EQ(a.PointCount(), 0);
  EXPECT_EQ(a.stepsPerSpan, 8);
  EXPECT_EQ(b.PointCount(), 3);
  EXPECT_EQ(b.spareWord, 9);
  EXPECT_EQ(b.closed, 1);
}

TEST_F(CurveObjectTest, BoundsAreThoseOfTheControlPointsUnderTheMatrix) {
  CCurveObject curve;
  // Each call starts afresh, whatever the box held.
  Vector3 min{-5, -5, -5}, max{50, 50, 50};
  curve.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min, Vector3(1e30f, 1e30f, 1e30f));
  EXPECT_EQ(max, Vector3(-1e30f, -1e30f, -1e30f));

  curve.SetPoints(1, {{1, 2, 3}});
  curve.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min, Vector3(1, 2, 3));
  EXPECT_EQ(max, Vector3(1, 2, 3));

  curve.SetPoints(3, {{1, 2, 3}, {-4, 8, 0}, {2, -1, 5}});
  curve.GetBounds(&min, &max, Translation(10, 0, 0));
  EXPECT_EQ(min, Vector3(6, -1, 0));
  EXPECT_EQ(max, Vector3(12, 8, 5));
}

TEST_F(CurveObjectTest, PartialTransformMovesOnlyPickedPoints) {
  CCurveObject curve;
  curve.SetPoints(2, {{1, 0, 0}, {2, 0, 0}}, {0, 1});
  const Matrix4 shift = Translation(0, 3, 0);
  curve.Transform(shift, 0);
  EXPECT_EQ(curve.points[0], Vector3(1, 0, 0));
  EXPECT_EQ(curve.points[1], Vector3(2, 3, 0));
  EXPECT_EQ(curve.orientation, kIdentityMatrix);
  curve.Transform(shift, 1);
  EXPECT_EQ(curve.points[0], Vector3(1, 3, 0));
}

}  // namespace

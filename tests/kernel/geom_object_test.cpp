#include <gtest/gtest.h>

#include "kernel/composite_object.h"
#include "kernel/name_pool.h"
#include "kernel/object_stream.h"
#include "kernel/point_set_object.h"
#include "program_state.h"
#include "scratch_file.h"
#include "test_matrices.h"

namespace {

class GeomObjectTest : public LumidrexTest {};

TEST_F(GeomObjectTest, NewObjectStartsWithIdentityFrameAndUnfittedMapping) {
  CGeomObject object;
  EXPECT_EQ(object.orientation, kIdentityMatrix);
  EXPECT_EQ(object.mappingFrame, Matrix4());
  EXPECT_EQ(object.materialName, nullptr);
  EXPECT_EQ(object.layer, 0);
  EXPECT_EQ(object.GetCategory(), 0);
  EXPECT_EQ(CPointSetObject().GetCategory(), 1);
  EXPECT_EQ(CFramedObject().GetCategory(), 2);
  EXPECT_EQ(CFramedObject().GetKind(), kKindFramed);
  EXPECT_EQ(CCompositeObject().placement, kIdentityMatrix);
}

TEST_F(GeomObjectTest, SetPointsOwnsOrZeroFillsArrays) {
  CPointSetObject object(3, {{1, 2, 3}});
  ASSERT_EQ(object.PointCount(), 3);
  EXPECT_EQ(object.points[0], Vector3(1, 2, 3));
  EXPECT_EQ(object.points[2], Vector3());
  EXPECT_EQ(object.marks, std::vector<std::int32_t>(3, 0));
  EXPECT_EQ(object.controlPointsHidden, 0);

  object.SetPoints(0, {{1, 1, 1}}, {1});
  EXPECT_TRUE(object.points.empty());
  EXPECT_TRUE(object.marks.empty());
}

TEST_F(GeomObjectTest, WholeTransformMovesPointsAndFrames) {
  CPointSetObject object(2, {{1, 0, 0}, {0, 1, 0}});
  object.orientation = Translation(1, 1, 1);
  object.Transform(Translation(10, 0, 0), 1);
  EXPECT_EQ(object.points[0], Vector3(11, 0, 0));
  EXPECT_EQ(object.points[1], Vector3(10, 1, 0));
  EXPECT_EQ(object.orientation, Translation(11, 1, 1));
  Matrix4 expectedMapping;
  expectedMapping[12] = 10;
  EXPECT_EQ(object.mappingFrame, expectedMapping);
}

TEST_F(GeomObjectTest, PartialTransformMovesOnlyPickedShownPoints) {
  CPointSetObject object(3, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {0, 1, 0});
  object.orientation = Translation(5, 5, 5);
  const Matrix4 frameBefore = object.orientation;
  const Matrix4 mappingBefore = object.mappingFrame;

  object.Transform(Translation(0, 3, 0), 0);
  EXPECT_EQ(object.points[0], Vector3(0, 0, 0));
  EXPECT_EQ(object.points[1], Vector3(1, 3, 0));
  EXPECT_EQ(object.points[2], Vector3(2, 0, 0));
  EXPECT_EQ(object.orientation, frameBefore);
  EXPECT_EQ(object.mappingFrame, mappingBefore);

  object.controlPointsHidden = 1;
  object.Transform(Translation(0, 3, 0), 0);
  EXPECT_EQ(object.points[1], Vector3(1, 3, 0));
}

TEST_F(GeomObjectTest, FrameKeepsUnitAxesUnderScaling) {
  struct Case {
    Matrix4 m;
    Matrix4 expected;
  };
  Matrix4 flattenX = kIdentityMatrix;  // a zero-scaled row falls back to its own unit axis
  flattenX[0] = 0;
  Matrix4 stretch = kIdentityMatrix;
  stretch[0] = 3;
  stretch[5] = 0.5f;
  stretch[13] = 2;
  Matrix4 stretchedFrame = kIdentityMatrix;
  stretchedFrame[13] = 2;
  for (const Case& c : {Case{flattenX, kIdentityMatrix}, Case{stretch, stretchedFrame}}) {
    CGeomObject object;
    object.Transform(c.m, 1);
    EXPECT_EQ(object.orientation, c.expected);
  }
}

TEST_F(GeomObjectTest, CompositeTransformMovesPlacementOnlyWhenWhole) {
  CFramedObject framed;
  framed.Transform(Translation(1, 2, 3), 0);
  EXPECT_EQ(framed.placement, kIdentityMatrix);
  framed.Transform(Translation(1, 2, 3), 1);
  EXPECT_EQ(framed.placement, Translation(1, 2, 3));
  EXPECT_EQ(framed.orientation, Translation(1, 2, 3));
}

TEST_F(GeomObjectTest, CloneCopiesFieldsAndOwnsItsArrays) {
  const std::string* gold = PoolName("Gold");
  CPointSetObject source(2, {{1, 2, 3}, {4, 5, 6}}, {1, 0});
  CGeomObject neighbour;
  source.next = &neighbour;
  source.ObjectState = 1;
  source.flags = kFlagNoDeform;
  source.jewel = 1;
  source.id = 42;
  source.layer = 7;
  source.materialName = gold;
  source.controlPointsHidden = 1;

  std::unique_ptr<CGeomObject> clone = source.Clone();
  auto* copy = dynamic_cast<CPointSetObject*>(clone.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->next, &neighbour);
  EXPECT_EQ(copy->ObjectState, 1);
  EXPECT_EQ(copy->flags, kFlagNoDeform);
  EXPECT_EQ(copy->jewel, 1);
  EXPECT_EQ(copy->id, 42);
  EXPECT_EQ(copy->layer, 7);
  EXPECT_EQ(copy->materialName, gold);  // clones share the pooled name
  EXPECT_EQ(copy->controlPointsHidden, 1);
  EXPECT_EQ(copy->points, source.points);
  copy->points[0] = {9, 9, 9};
  EXPECT_EQ(source.points[0], Vector3(1, 2, 3));

  CFramedObject framed;
  framed.placement = Translation(1, 0, 0);
  framed.kindWord = 5;
  framed.firstCopy = &source;
  std::unique_ptr<CGeomObject> framedClone = framed.Clone();
  ASSERT_NE(dynamic_cast<CFramedObject*>(framedClone.get()), nullptr);
  auto& framedCopy = static_cast<CFramedObject&>(*framedClone);
  EXPECT_EQ(framedCopy.placement, framed.placement);
  EXPECT_EQ(framedCopy.kindWord, 5u);
  EXPECT_EQ(framedCopy.firstCopy, &source);

  // Undo exchanges the whole copy state, the full-width pointer with the count.
  CFramedObject other;
  framed.Swap(other);
  EXPECT_EQ(other.firstCopy, &source);
  EXPECT_EQ(other.kindWord, 5u);
  EXPECT_EQ(framed.firstCopy, nullptr);
  EXPECT_EQ(framed.kindWord, 0u);
}

TEST_F(GeomObjectTest, SwappedObjectsKeepTheirListPositions) {
  CPointSetObject first(1, {{1, 1, 1}});
  CPointSetObject second(2, {{2, 2, 2}, {3, 3, 3}});
  CGeomObject tail;
  first.next = &second;
  second.next = &tail;
  first.id = 1;
  second.id = 2;
  second.controlPointsHidden = 1;

  first.Swap(second);
  EXPECT_EQ(first.next, &second);
  EXPECT_EQ(second.next, &tail);
  EXPECT_EQ(first.id, 2);
  EXPECT_EQ(first.PointCount(), 2);
  EXPECT_EQ(first.points[1], Vector3(3, 3, 3));
  EXPECT_EQ(first.controlPointsHidden, 1);
  EXPECT_EQ(second.id, 1);
  EXPECT_EQ(second.points, std::vector<Vector3>{Vector3(1, 1, 1)});

  // Objects of different classes are not exchanged.
  CFramedObject framed;
  framed.id = 9;
  first.Swap(framed);
  EXPECT_EQ(first.id, 2);
  EXPECT_EQ(framed.id, 9);
}

TEST_F(GeomObjectTest, BaseBoundsLeaveTheBoxUntouched) {
  Vector3 min{1, 2, 3}, max{4, 5, 6};
  CFramedObject().GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min, Vector3(1, 2, 3));
  EXPECT_EQ(max, Vector3(4, 5, 6));
}

TEST_F(GeomObjectTest, PointsFilledInDirectlyCountAsUnmarked) {
  CPointSetObject object;
  object.points = {{1, 0, 0}, {2, 0, 0}};  // no marks: not through SetPoints
  object.Transform(Translation(0, 1, 0), 0);
  EXPECT_EQ(object.points[1], Vector3(2, 0, 0));

  const Bytes written = CaptureWrite([&] { object.Write(); });
  ScratchFile scratch({written.begin() + 4, written.end()});
  CPointSetObject back;
  back.Read();
  EXPECT_EQ(back.points, object.points);
  EXPECT_EQ(back.marks, (std::vector<std::int32_t>{0, 0}));
}

}  // namespace

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "kernel/point_set_object.h"
#include "scene/transform_apply.h"
#include "scene_fixture.h"
#include "services/layer_table.h"
#include "test_matrices.h"

namespace {

using TransformApplyTest = SceneTest;

CPointSetObject* AddPoint(Vector3 p, int state, int layer = 0) {
  auto object = std::make_unique<CPointSetObject>(1, std::vector<Vector3>{p});
  object->layer = layer;
  CPointSetObject* added = AddObject(object, 0);
  added->ObjectState = state;
  return added;
}

std::vector<Vector3> PointsOfList() {
  std::vector<Vector3> points;
  for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
    points.push_back(static_cast<CPointSetObject*>(object)->points[0]);
  }
  return points;
}

TEST_F(TransformApplyTest, TransformsShownObjectsOfWorkingLayersInOneStep) {
  CPointSetObject* selected = AddPoint({1, 0, 0}, kStateSelected);
  CPointSetObject* shown = AddPoint({2, 0, 0}, 0);
  shown->marks[0] = 1;
  CPointSetObject* unmarked = AddPoint({3, 0, 0}, 0);
  CPointSetObject* hidden = AddPoint({4, 0, 0}, kStateSelected, 1);
  CPointSetObject* locked = AddPoint({5, 0, 0}, kStateSelected, 2);
  CPointSetObject* deleted = AddPoint({6, 0, 0}, -1);
  LayerTable[1].visible = 0;
  LayerTable[2].pickable = 0;
  document.Clear();
  BeginUndoStep();

  ApplyTransformToObjects(kReferenceWorldOrigin, Translation(0, 0, 1), 0);

  EXPECT_TRUE(VectorsEqual(selected->points[0], {1, 0, 1}));
  EXPECT_TRUE(VectorsEqual(shown->points[0], {2, 0, 1}));
  EXPECT_TRUE(VectorsEqual(unmarked->points[0], {3, 0, 0}));
  EXPECT_TRUE(VectorsEqual(hidden->points[0], {4, 0, 0}));
  EXPECT_TRUE(VectorsEqual(locked->points[0], {5, 0, 0}));
  EXPECT_TRUE(VectorsEqual(deleted->points[0], {6, 0, 0}));
  // The unchanged shown object is recorded too.
  ASSERT_EQ(document.ring[document.index].size(), 3u);
  for (const UndoStep& record : document.ring[document.index]) EXPECT_EQ(record.type, kUndoMarksChanged);

  EXPECT_EQ(UndoCommand(), 1);
  EXPECT_TRUE(VectorsEqual(selected->points[0], {1, 0, 0}));
  EXPECT_TRUE(VectorsEqual(shown->points[0], {2, 0, 0}));
}

TEST_F(TransformApplyTest, ObjectReferenceActsInTheObjectsFrame) {
  CPointSetObject* object = AddPoint({1, 1, 0}, kStateSelected);
  object->orientation = Translation(1, 1, 0);  // frame origin at the point
  Matrix4 doubling = kIdentityMatrix;
  doubling[0] = doubling[5] = doubling[10] = 2;

  ApplyTransformToObjects(kReferenceObjectAxis, doubling, 0);
  EXPECT_TRUE(VectorsEqual(object->points[0], {1, 1, 0}));
  ApplyTransformToObjects(kReferenceWorldOrigin, doubling, 0);
  EXPECT_TRUE(VectorsEqual(object->points[0], {2, 2, 0}));
}

TEST_F(TransformApplyTest, CopiesAddDuplicatesMovedByPowersOfTheMatrix) {
  AddPoint({1, 0, 0}, kStateSelected);
  AddPoint({5, 0, 0}, 0);
  AddPoint({0, 7, 0}, kStateSelected);

  ApplyTransformToObjects(kReferenceWorldOrigin, Translation(0, 0, 1), 3);

  const std::vector<Vector3> expected = {{1, 0, 0}, {5, 0, 0}, {0, 7, 0}, {1, 0, 1},
                                         {0, 7, 1}, {1, 0, 2}, {0, 7, 2}};
  const std::vector<Vector3> points = PointsOfList();
  ASSERT_EQ(points.size(), expected.size());
  for (std::size_t i = 0; i < points.size(); ++i) EXPECT_TRUE(VectorsEqual(points[i], expected[i])) << i;

  // One copy asks for no duplicate at all.
  ApplyTransformToObjects(kReferenceWorldOrigin, Translation(0, 0, 1), 1);
  EXPECT_EQ(PointsOfList().size(), expected.size());
}

TEST_F(TransformApplyTest, SelectionTransformUsesTheViewsAxes) {
  view.SetAxes(0, 2, 1, 1, 1, -1);  // front
  CPointSetObject* object = AddPoint({0, 0, 0}, kStateSelected);
  TransformRecord record;
  record.move[1] = 4;  // screen up
  ApplyTransformToSelection(kTransformMove, kReferenceWorldOrigin, record, 0);
  EXPECT_TRUE(VectorsEqual(object->points[0], {0, 0, 4}));
}

}  // namespace

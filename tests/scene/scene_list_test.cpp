#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kernel/axis_line_object.h"
#include "scene_fixture.h"
#include "services/layer_table.h"

namespace {

const std::string kMaterial = "Silver";

std::vector<CGeomObject*> Walk(int state, int kind) {
  std::vector<CGeomObject*> seen;
  for (CGeomObject* cursor = nullptr; NextObject(cursor, state, kind) != nullptr;) seen.push_back(cursor);
  return seen;
}

using SceneListTest = SceneTest;

TEST_F(SceneListTest, WalkMatchesStateAndAnyStateIncludesDeletedAndAbsorbed) {
  const auto objects = LinkObjects({0, 1, -1, -99, 1, 4});
  EXPECT_EQ(Walk(1, 0), (std::vector<CGeomObject*>{objects[1], objects[4]}));
  EXPECT_EQ(Walk(-1, 0), objects);
  EXPECT_EQ(Walk(-1, kKindCurve), std::vector<CGeomObject*>{});
  EXPECT_EQ(Walk(-1, kKindFramed).size(), objects.size());
}

TEST_F(SceneListTest, ObjectsLinkedDuringAWalkAreNotVisited) {
  const auto objects = LinkObjects({1, 1});
  std::vector<CGeomObject*> seen;
  for (CGeomObject* cursor = nullptr; NextObject(cursor, 1, 0) != nullptr;) {
    seen.push_back(cursor);
    auto copy = std::make_unique<CGeomObject>();
    copy->ObjectState = 1;
    *TheScene.tailLink = copy.release();
    TheScene.tailLink = &(*TheScene.tailLink)->next;
  }
  EXPECT_EQ(seen, objects);
  EXPECT_EQ(Walk(1, 0).size(), 4u);
}

TEST_F(SceneListTest, ActivatingAViewportFindsTheTail) {
  EXPECT_EQ(TheScene.tailLink, &TheScene.head);
  const auto objects = LinkObjects({0, 0, 0});
  EXPECT_EQ(TheScene.tailLink, &objects[2]->next);
  EXPECT_EQ(TheScene.startLink, &TheScene.head);
  EXPECT_EQ(GetObjectList(), objects[0]);
}

TEST_F(SceneListTest, SetActiveViewReturnsThePreviousViewport) {
  CViewport other;
  EXPECT_EQ(SetActiveView(&other), &view);
  EXPECT_EQ(SetActiveView(&other), &other);
  EXPECT_EQ(SetActiveView(nullptr), &other);
  EXPECT_EQ(GetActiveView(), nullptr);
}

TEST_F(SceneListTest, DeleteObjectsUpToKeepsTheHigherStatesInOrder) {
  const auto objects = LinkObjects({5, -1, 2, 0, 9});
  DeleteObjectsUpTo(&TheScene.head, 2);
  EXPECT_EQ(TheScene.head, objects[0]);
  EXPECT_EQ(objects[0]->next, objects[4]);
  EXPECT_EQ(objects[4]->next, nullptr);
  DeleteObjectsUpTo(&TheScene.head, kEveryObjectState);
  EXPECT_EQ(TheScene.head, nullptr);
}

TEST_F(SceneListTest, TwoDeletionsAndOneUndelete) {
  const auto objects = LinkObjects({1, 1, 0});
  // First deletion takes the first object, the second the other two.
  BeginUndoStep();
  PushDeletedLevel();
  objects[0]->ObjectState = -1;
  BeginUndoStep();
  PushDeletedLevel();
  objects[1]->ObjectState = objects[2]->ObjectState = -1;
  EXPECT_EQ(objects[0]->ObjectState, -2);

  BeginUndoStep();
  PopDeletedLevel();
  EXPECT_EQ(objects[0]->ObjectState, -1);
  EXPECT_EQ(objects[1]->ObjectState, 1);
  EXPECT_EQ(objects[2]->ObjectState, 1);

  // The undelete is one step; undoing it restores both levels.
  ASSERT_EQ(document.Undo(), 1);
  EXPECT_EQ(objects[0]->ObjectState, -2);
  EXPECT_EQ(objects[1]->ObjectState, -1);
  EXPECT_EQ(objects[2]->ObjectState, -1);
}

TEST_F(SceneListTest, AddedObjectsGetDefaultsAndIdsInOrder) {
  CurrentLayer = 5;
  std::vector<CGeomObject*> added;
  for (int i = 0; i < 3; ++i) {
    auto object = std::make_unique<CAxisLineObject>();
    object->jewel = 1;
    object->subtractor = 1;
    object->flags = kFlagNoDeform;
    object->mappingKind = 2;
    CAxisLineObject* raw = AddObject(object, 1);
    EXPECT_EQ(object, nullptr);
    added.push_back(raw);
  }
  EXPECT_EQ(GetObjectList(), added[0]);
  EXPECT_EQ(Walk(-1, 0), added);
  EXPECT_EQ(TheScene.tailLink, &added[2]->next);
  for (int i = 0; i < 3; ++i) {
    const CGeomObject& o = *added[i];
    EXPECT_EQ(o.id, i);
    EXPECT_EQ(o.ObjectState, kStateSelected);
    EXPECT_EQ(o.layer, 5);
    ASSERT_NE(o.materialName, nullptr);
    EXPECT_EQ(*o.materialName, "Gold");
    EXPECT_EQ(o.mappingKind, 0);
    EXPECT_EQ(o.mappingFrame, kIdentityMatrix);
    EXPECT_EQ(o.jewel + o.subtractor + o.flags, 0);
  }
  // One undo step holds the three additions.
  ASSERT_EQ(document.Undo(), 1);
  for (const CGeomObject* o : added) EXPECT_EQ(o->ObjectState, 1 - kAbsorbedOffset);
  EXPECT_EQ(document.modified, 1);
}

TEST_F(SceneListTest, WithoutAnActiveViewportNothingIsAddedOrCloned) {
  SetActiveView(nullptr);
  auto object = std::make_unique<CGeomObject>();
  CGeomObject* raw = object.get();
  EXPECT_EQ(AddObject(object, 1), raw);
  EXPECT_EQ(object.get(), raw);  // still the caller's
  EXPECT_EQ(raw->id, 0);
  EXPECT_EQ(GetObjectList(), nullptr);
  EXPECT_EQ(DuplicateObject(raw), nullptr);
  EXPECT_EQ(TheScene.nextObjectId, 0);
}

TEST_F(SceneListTest, DuplicatingEverySelectedObjectInAWalkVisitsEachSourceOnce) {
  CurrentLayer = 3;
  const auto sources = LinkObjects({1, 0, 1});
  sources[0]->materialName = &kMaterial;
  sources[0]->id = 40;
  std::vector<CGeomObject*> seen, copies;
  for (CGeomObject* cursor = nullptr; NextObject(cursor, 1, 0) != nullptr;) {
    seen.push_back(cursor);
    copies.push_back(DuplicateObject(cursor));
  }
  EXPECT_EQ(seen, (std::vector<CGeomObject*>{sources[0], sources[2]}));
  EXPECT_EQ(Walk(-1, 0), (std::vector<CGeomObject*>{sources[0], sources[1], sources[2], copies[0], copies[1]}));
  EXPECT_EQ(copies[0]->id, 0);
  EXPECT_EQ(copies[1]->id, 1);
  EXPECT_EQ(copies[0]->layer, 3);
  EXPECT_EQ(copies[0]->ObjectState, kStateSelected);
  EXPECT_EQ(copies[0]->materialName, &kMaterial);
}

}  // namespace

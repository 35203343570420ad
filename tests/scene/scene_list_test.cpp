#include <gtest/gtest.h>

#include <vector>

#include "scene_fixture.h"

namespace {

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

}  // namespace

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "kernel/axis_line_object.h"
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "scene_fixture.h"

namespace {

std::vector<CGeomObject*> Members(const CBooleanObject& group) {
  std::vector<CGeomObject*> members;
  for (CGeomObject* m = group.members.head(); m != nullptr; m = m->next) members.push_back(m);
  return members;
}

std::vector<CGeomObject*> ListObjects() {
  std::vector<CGeomObject*> objects;
  for (CGeomObject* o = TheScene.head; o != nullptr; o = o->next) objects.push_back(o);
  return objects;
}

class SceneGroupTest : public SceneTest {
 protected:
  // A union of three members, linked at the end of the scene list.
  CBooleanObject* LinkGroup() {
    std::unique_ptr<CBooleanObject> group = AxisLineUnion(3);
    CBooleanObject* raw = group.get();
    *TheScene.tailLink = group.release();
    TheScene.tailLink = &raw->next;
    return raw;
  }
};

TEST_F(SceneGroupTest, DissolvedMembersFollowTheListAndReformingRestoresTheTail) {
  const auto before = LinkObjects({0});
  CBooleanObject* group = LinkGroup();
  const auto members = Members(*group);
  CGeomObject** tail = TheScene.tailLink;

  ToggleGroupLink(group, 1);
  EXPECT_EQ(group->ObjectState, -99);
  EXPECT_EQ(group->Operation(), kBooleanUnion + kBooleanDissolvedCode);
  EXPECT_TRUE(group->members.empty());
  EXPECT_EQ(ListObjects(), (std::vector<CGeomObject*>{before[0], group, members[0], members[1], members[2]}));
  EXPECT_EQ(TheScene.tailLink, &members[2]->next);

  ToggleGroupLink(group, 1);  // already dissolved: nothing changes
  EXPECT_EQ(group->ObjectState, -99);

  ToggleGroupLink(group, 0);
  EXPECT_EQ(group->ObjectState, 0);
  EXPECT_EQ(group->Operation(), kBooleanUnion);
  EXPECT_EQ(Members(*group), members);
  EXPECT_EQ(ListObjects(), (std::vector<CGeomObject*>{before[0], group}));
  EXPECT_EQ(TheScene.tailLink, tail);
}

TEST_F(SceneGroupTest, ReformingLeavesLaterObjectsInTheList) {
  CBooleanObject* group = LinkGroup();
  const auto members = Members(*group);
  BeginUndoStep();
  RecordUndo(group, kUndoGroupDissolved);
  ToggleGroupLink(group, 1);
  const auto later = LinkObjects({1});  // appended while the group is dissolved
  CGeomObject* x = later[0];

  ASSERT_EQ(document.Undo(), 1);
  EXPECT_EQ(Members(*group), members);
  EXPECT_EQ(ListObjects(), (std::vector<CGeomObject*>{group, x}));
  EXPECT_EQ(TheScene.tailLink, &x->next);

  ASSERT_EQ(document.Redo(), 1);
  EXPECT_EQ(ListObjects(), (std::vector<CGeomObject*>{group, x, members[0], members[1], members[2]}));
}

TEST_F(SceneGroupTest, DissolvedGroupUndeleted99TimesIsAnEmptyGroup) {
  CBooleanObject* group = LinkGroup();
  ToggleGroupLink(group, 1);
  for (int i = 0; i < 99; ++i) {
    BeginUndoStep();
    PopDeletedLevel();
  }
  EXPECT_EQ(group->ObjectState, 1);
  Vector3 min, max;
  group->GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_GT(min.x, max.x);
  group->Draw(0);
  std::unique_ptr<CGeomObject> copy = group->Clone();
  EXPECT_TRUE(static_cast<CBooleanObject&>(*copy).members.empty());
  // The history's clone and the scene's objects are freed by the fixture; ASan and LSan watch.
}

TEST_F(SceneGroupTest, GroupUndoKeepsMemberObjectsAndSwapsTheirContents) {
  CBooleanObject* group = LinkGroup();
  const auto members = Members(*group);
  BeginUndoStep();
  RecordUndo(group, kUndoChanged);
  group->placement[12] = 4;
  for (CGeomObject* m : members) m->layer += 10;

  ASSERT_EQ(document.Undo(), 1);
  EXPECT_EQ(Members(*group), members);
  EXPECT_EQ(group->placement[12], 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(members[i]->layer, i);

  ASSERT_EQ(document.Redo(), 1);
  EXPECT_EQ(Members(*group), members);
  EXPECT_EQ(group->placement[12], 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(members[i]->layer, i + 10);
}

TEST_F(SceneGroupTest, SwapOfGroupsWithDifferentMemberCountsStopsAtTheShorter) {
  CBooleanObject a, b;
  for (int i = 0; i < 3; ++i) {
    auto m = std::make_unique<CGeomObject>();
    m->id = i;
    a.members.Append(std::move(m));
  }
  auto only = std::make_unique<CGeomObject>();
  only->id = 10;
  CGeomObject* bMember = only.get();
  b.members.Append(std::move(only));
  const auto aMembers = Members(a);

  SwapObjectContents(&a, &b);
  EXPECT_EQ(Members(a), aMembers);
  EXPECT_EQ(Members(b), std::vector<CGeomObject*>{bMember});
  EXPECT_EQ(aMembers[0]->id, 10);
  EXPECT_EQ(bMember->id, 0);
  EXPECT_EQ(aMembers[1]->id, 1);
}

TEST_F(SceneGroupTest, JewelObjects) {
  auto group = [](int operation, std::vector<std::unique_ptr<CGeomObject>> members) {
    auto g = std::make_unique<CBooleanObject>();
    g->SetOperation(operation);
    for (auto& m : members) g->members.Append(std::move(m));
    return g;
  };
  auto jewelMesh = [] {
    auto m = std::make_unique<CMeshObject>();
    m->jewel = 1;
    return m;
  };
  auto jewelCurve = [] {
    auto c = std::make_unique<CCurveObject>();
    c->jewel = 1;
    return c;
  };
  std::vector<std::unique_ptr<CGeomObject>> subtractionMembers;
  subtractionMembers.push_back(std::make_unique<CGemObject>());
  subtractionMembers.push_back(std::make_unique<CCurveObject>());
  subtractionMembers.push_back(std::make_unique<CCurveObject>());
  std::vector<std::unique_ptr<CGeomObject>> mixedMembers;
  mixedMembers.push_back(jewelMesh());
  mixedMembers.push_back(std::make_unique<CMeshObject>());
  std::vector<std::unique_ptr<CGeomObject>> nestedMembers;
  nestedMembers.push_back(group(kBooleanSubtraction, std::move(subtractionMembers)));

  struct Case {
    const char* name;
    std::unique_ptr<CGeomObject> object;
    int jewel;
  };
  Case cases[] = {
      {"gem", std::make_unique<CGemObject>(), 1},
      {"flagged mesh", jewelMesh(), 1},
      {"plain mesh", std::make_unique<CMeshObject>(), 0},
      {"flagged curve", jewelCurve(), 0},
      {"axis line", std::make_unique<CAxisLineObject>(), 0},
      {"subtraction of a gem by curves, nested", group(kBooleanUnion, std::move(nestedMembers)), 1},
      {"union with a plain member", group(kBooleanUnion, std::move(mixedMembers)), 0},
      {"empty union", group(kBooleanUnion, {}), 1},
      {"empty subtraction", group(kBooleanSubtraction, {}), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(IsJewelObject(c.object.get()), c.jewel) << c.name;
}

}  // namespace

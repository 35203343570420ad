#include "modelling/boolean_commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "curve_fixture.h"
#include "kernel/boolean_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

namespace {

// A surface that counts how often it is drawn; its clones count into the same tally.
class CountedSurface : public CSurfaceObject {
 public:
  explicit CountedSurface(int* draws) : draws_(draws) {}
  void Draw(int) override { ++*draws_; }
  std::unique_ptr<CGeomObject> Clone() const override {
    auto copy = std::make_unique<CountedSurface>(draws_);
    copy->id = id;
    copy->ObjectState = ObjectState;
    return copy;
  }

 private:
  int* draws_;
};

class BooleanCommandsTest : public CurveTest {
 protected:
  // An object tagged by its id, so that its clones can be told apart.
  template <class T>
  T* Add(int tag, int state) {
    auto object = std::make_unique<T>();
    T* added = AddObject(object, 1);
    added->ObjectState = state;
    added->id = tag;
    document.Clear();
    return added;
  }

  int Records() const {
    int records = 0;
    for (const auto& step : document.ring) records += static_cast<int>(step.size());
    return records;
  }

  static std::vector<int> MemberTags(const CBooleanObject& group) {
    std::vector<int> tags;
    for (const CGeomObject* m = group.members.head(); m != nullptr; m = m->next) tags.push_back(m->id);
    return tags;
  }

  // The group added last; null when the list ends with something else.
  static CBooleanObject* LastGroup() {
    CGeomObject* last = TheScene.head;
    while (last != nullptr && last->next != nullptr) last = last->next;
    return last != nullptr && last->GetKind() == kKindBoolean ? static_cast<CBooleanObject*>(last) : nullptr;
  }
};

TEST_F(BooleanCommandsTest, GroupsAreBuiltFromClonesAndUndoneInOneStep) {
  struct Case {
    const char* what;
    std::vector<int> selected;  // tags of A 1, B 2, C 3, K 4, M 5
    int operation;
    int body;                   // tag of the subtraction's body, 0 for none
    std::vector<int> members;   // empty: nothing is made
  };
  const Case cases[] = {
      {"a curve never takes part", {1, 4}, kBooleanUnion, 0, {}},
      {"intersection keeps list order", {1, 2, 3}, kBooleanIntersection, 0, {1, 2, 3}},
      {"a selected body comes first once", {1, 2, 3}, kBooleanSubtraction, 2, {2, 1, 3}},
      {"an unselected body comes first", {1, 3}, kBooleanSubtraction, 2, {2, 1, 3}},
      {"a body with nothing to cut makes nothing", {2}, kBooleanSubtraction, 2, {}},
      {"a mesh takes part, the curve does not", {5, 4, 1}, kBooleanUnion, 0, {1, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetScene();
    SetActiveView(&view);
    std::vector<CGeomObject*> objects = {Add<CSurfaceObject>(1, 0), Add<CSurfaceObject>(2, 0), Add<CSurfaceObject>(3, 0),
                                         Add<CCurveObject>(4, 0), Add<CMeshObject>(5, 0)};
    for (const int tag : c.selected) objects[static_cast<std::size_t>(tag - 1)]->ObjectState = kStateSelected;
    std::vector<int> before;
    for (const CGeomObject* o : objects) before.push_back(o->ObjectState);
    BeginUndoStep();
    BuildBooleanGroup(c.operation, c.body != 0 ? objects[static_cast<std::size_t>(c.body - 1)] : nullptr);
    CBooleanObject* group = LastGroup();
    if (c.members.empty()) {
      EXPECT_EQ(group, nullptr);
      EXPECT_EQ(Records(), 0);
      continue;
    }
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Operation(), c.operation);
    EXPECT_EQ(group->ObjectState, kStateSelected);
    EXPECT_EQ(group->materialName, nullptr);
    EXPECT_EQ(group->subtractBody, 0);
    EXPECT_EQ(MemberTags(*group), c.members);
    EXPECT_EQ(group->members.head()->ObjectState, kStateSelected);
    for (const int tag : c.members) {
      const CGeomObject* source = objects[static_cast<std::size_t>(tag - 1)];
      EXPECT_EQ(source->ObjectState, -kAbsorbedOffset);
      for (const CGeomObject* m = group->members.head(); m != nullptr; m = m->next) EXPECT_NE(m, source);
    }
    UndoCommand();
    for (std::size_t i = 0; i < objects.size(); ++i) EXPECT_EQ(objects[i]->ObjectState, before[i]) << i;
    EXPECT_LT(group->ObjectState, 0);
  }
}

TEST_F(BooleanCommandsTest, ShowSubtractorsSwitchesOnlySubtractionsAndRecordsOnlyChanges) {
  int draws = 0;
  for (int i = 0; i < 2; ++i) {
    std::unique_ptr<CGeomObject> surface = std::make_unique<CountedSurface>(&draws);
    AddObject(surface, 1);
  }
  BuildBooleanGroup(kBooleanSubtraction, nullptr);
  CBooleanObject* subtraction = LastGroup();
  ASSERT_NE(subtraction, nullptr);
  // A new subtraction draws its body alone.
  subtraction->Draw(0);
  EXPECT_EQ(draws, 1);
  Add<CSurfaceObject>(3, 0)->ObjectState = kStateSelected;
  Add<CSurfaceObject>(4, 0)->ObjectState = kStateSelected;
  subtraction->ObjectState = kStateShown;
  BuildBooleanGroup(kBooleanUnion, nullptr);
  CBooleanObject* both = LastGroup();
  subtraction->ObjectState = kStateSelected;
  document.Clear();

  DoShowSubtractors();
  EXPECT_EQ(subtraction->subtractBody, 1);
  draws = 0;
  subtraction->Draw(0);
  EXPECT_EQ(draws, 2);
  EXPECT_EQ(both->subtractBody, 0);
  EXPECT_EQ(Records(), 1);
  DoShowSubtractors();
  EXPECT_EQ(Records(), 1);
  BeginUndoStep();
  DoHideSubtractors();
  EXPECT_EQ(subtraction->subtractBody, 0);
  UndoCommand();
  EXPECT_EQ(subtraction->subtractBody, 1);
}

TEST_F(BooleanCommandsTest, DisBooleanRelinksOnlyTheTopLevelAndUndoReformsIt) {
  Add<CSurfaceObject>(1, kStateSelected);
  Add<CSurfaceObject>(2, kStateSelected);
  BuildBooleanGroup(kBooleanUnion, nullptr);
  CBooleanObject* inner = LastGroup();
  ASSERT_NE(inner, nullptr);
  inner->id = 10;
  Add<CSurfaceObject>(3, kStateSelected);
  BuildBooleanGroup(kBooleanIntersection, nullptr);
  CBooleanObject* outer = LastGroup();
  ASSERT_NE(outer, nullptr);
  ASSERT_EQ(MemberTags(*outer), (std::vector<int>{10, 3}));
  const CGeomObject* innerClone = outer->members.head();
  document.Clear();

  BeginUndoStep();
  DoDisBoolean();
  EXPECT_EQ(outer->ObjectState, kStateSelected - kAbsorbedOffset);
  // The members follow in the list; the nested group keeps its own members.
  std::vector<const CGeomObject*> live;
  for (const CGeomObject* o = TheScene.head; o != nullptr; o = o->next) {
    if (o->ObjectState >= 0) live.push_back(o);
  }
  ASSERT_EQ(live.size(), 2u);
  EXPECT_EQ(live[0], innerClone);
  EXPECT_EQ(MemberTags(static_cast<const CBooleanObject&>(*live[0])), (std::vector<int>{1, 2}));
  UndoCommand();
  EXPECT_EQ(outer->ObjectState, kStateSelected);
  EXPECT_EQ(MemberTags(*outer), (std::vector<int>{10, 3}));
}

// A triangle with corners (0, 0), (4, 0) and (0, 4).
std::unique_ptr<CMeshObject> Triangle() {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(3, {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}});
  mesh->SetFaces({3}, {0, 1, 2});
  return mesh;
}

TEST_F(BooleanCommandsTest, SubtractPicksTheBodyThenTheQueueBringsThePickToolBack) {
  auto a = Triangle();
  CMeshObject* body = AddObject(a, 1);
  body->ObjectState = kStateShown;
  body->id = 1;
  Add<CSurfaceObject>(2, kStateSelected);
  AddCurve({{-5, -5, 0}, {-5, 5, 0}}, kStateShown)->id = 4;

  std::vector<int> posted;
  ProgramCommandQueue().SetDispatcher([&posted](int id) {
    posted.push_back(id);
    if (id == kPickCommand) ResetToPickTool();
  });
  DoBooleanSubtract();
  EXPECT_EQ(Headless().statusTexts.back(), "Pick the object to subtract from...");
  auto* tool = dynamic_cast<CSubtractPickTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  ClickAt(8, 8);
  ClickAt(-5, 0);
  EXPECT_EQ(LastGroup(), nullptr);
  EXPECT_EQ(GetTool(0), tool);

  ClickAt(2, 0);
  CBooleanObject* group = LastGroup();
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->Operation(), kBooleanSubtraction);
  EXPECT_EQ(MemberTags(*group), (std::vector<int>{1, 2}));
  EXPECT_EQ(body->ObjectState, -kAbsorbedOffset);
  // Still current until the posted Pick runs from the queue.
  EXPECT_EQ(GetTool(0), tool);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(posted, std::vector<int>{kPickCommand});
  EXPECT_NE(dynamic_cast<CPickTool*>(GetTool(0)), nullptr);
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
}

}  // namespace

#include "modelling/selection_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "counting_viewport.h"
#include "kernel/axis_line_object.h"
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "modelling/attribute_commands.h"
#include "modelling/flip90_commands.h"
#include "program_state.h"
#include "scene/scene.h"
#include "scene/transform_tool.h"
#include "scene/undo_history.h"
#include "services/layer_table.h"

namespace {

struct StateCase {
  void (*command)();
  std::vector<int> states;
};

class SelectionCommandsTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetActiveView(&view);
  }

  template <class T>
  T* Add(int state, int layer = 0) {
    auto object = std::make_unique<T>();
    T* added = AddObject(object, 1);
    added->ObjectState = state;
    added->layer = layer;
    view.Clear();
    return added;
  }

  static std::vector<int> States(const std::vector<CGeomObject*>& objects) {
    std::vector<int> states;
    for (const CGeomObject* object : objects) states.push_back(object->ObjectState);
    return states;
  }

  // Each command gives the objects its states, and its one undo step gives the first ones back.
  void ExpectStatesThenUndo(const std::vector<CGeomObject*>& objects, const std::vector<StateCase>& cases) {
    const std::vector<int> initial = States(objects);
    for (const StateCase& c : cases) {
      c.command();
      EXPECT_EQ(States(objects), c.states);
      view.Undo();
      EXPECT_EQ(States(objects), initial);
    }
  }

  CountingViewport view;
};

TEST_F(SelectionCommandsTest, SelectByKindAddsOnlyShownObjectsOnPickableLayers) {
  LayerTable[5].pickable = 0;
  const std::vector<CGeomObject*> objects = {
      Add<CCurveObject>(0),   Add<CSurfaceObject>(0), Add<CAxisLineObject>(0), Add<CMeshObject>(0),
      Add<CGemObject>(0),     Add<CCurveObject>(0, 5), Add<CSurfaceObject>(2), Add<CCurveObject>(-1),
      Add<CSurfaceObject>(1), Add<CBooleanObject>(0),
  };
  // An empty group counts as a jewel.
  ExpectStatesThenUndo(objects, {
      {&DoSelectAll, {1, 1, 0, 1, 1, 0, 2, -1, 1, 1}},      {&DoSelectCurves, {1, 0, 0, 0, 0, 0, 2, -1, 1, 0}},
      {&DoSelectSurfaces, {0, 1, 0, 0, 0, 0, 2, -1, 1, 0}}, {&DoSelectAxisLines, {0, 0, 1, 0, 0, 0, 2, -1, 1, 0}},
      {&DoSelectMeshes, {0, 0, 0, 1, 0, 0, 2, -1, 1, 0}},   {&DoSelectJewels, {0, 0, 0, 0, 1, 0, 2, -1, 1, 1}},
      {&DoSelectBooleans, {0, 0, 0, 0, 0, 0, 2, -1, 1, 1}}, {&DoSelectSolids, {0, 0, 0, 0, 0, 0, 2, -1, 1, 0}},
  });
}

TEST_F(SelectionCommandsTest, HideUnhideSwapAndRestoreChangeOnlyTheirStates) {
  std::vector<CGeomObject*> objects;
  for (const int state : {0, 1, 2, 3, -1, -99, 4}) objects.push_back(Add<CSurfaceObject>(state));
  ExpectStatesThenUndo(objects, {
      {&DoHide, {0, 3, 2, 3, -1, -99, 4}},
      {&DoUnhide, {0, 1, 0, 1, -1, -99, 4}},
      {&DoSwapHide, {2, 3, 0, 1, -1, -99, 4}},
      {&DoRestoreRemovedCurves, {0, 1, 2, 3, -1, -99, 1}},
  });
  const std::vector<int> initial = States(objects);
  DoSwapHide();
  DoSwapHide();
  EXPECT_EQ(States(objects), initial);
}

TEST_F(SelectionCommandsTest, DeletesStackAndUndeleteBringsBackTheLatestSelected) {
  CGeomObject* first = Add<CSurfaceObject>(1);
  CGeomObject* second = Add<CCurveObject>(0);
  CGeomObject* shown = Add<CMeshObject>(0);
  DoDelete();
  second->ObjectState = 1;
  DoDelete();
  EXPECT_EQ(States({first, second, shown}), (std::vector<int>{-2, -1, 0}));
  DoUndelete();
  EXPECT_EQ(States({first, second, shown}), (std::vector<int>{-1, 1, 0}));
}

TEST_F(SelectionCommandsTest, DeleteWithNothingSelectedChangesNothingAndDoesNotRedraw) {
  CGeomObject* deleted = Add<CSurfaceObject>(-1);
  CGeomObject* shown = Add<CSurfaceObject>(0);
  view.redraws = 0;
  DoDelete();
  EXPECT_EQ(States({deleted, shown}), (std::vector<int>{-1, 0}));
  EXPECT_EQ(view.redraws, 0);
  shown->ObjectState = 1;
  DoDelete();
  EXPECT_EQ(States({deleted, shown}), (std::vector<int>{-2, -1}));
  EXPECT_GT(view.redraws, 0);
}

TEST_F(SelectionCommandsTest, JewelsHideInsideAUnionAndComeBackThroughTheSelectedGroup) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  group->members.Append(std::make_unique<CGemObject>());
  group->members.Append(std::make_unique<CGemObject>());
  group->members.Append(std::make_unique<CSurfaceObject>());
  CBooleanObject* added = AddObject(group, 1);
  view.Clear();
  CGeomObject* gemA = added->members.head();
  CGeomObject* gemB = gemA->next;
  CGeomObject* surface = gemB->next;
  DoHideJewel();
  EXPECT_EQ(States({added, gemA, gemB, surface}), (std::vector<int>{1, 2, 2, 0}));
  // Hidden members stay hidden while their group is only shown.
  added->ObjectState = 0;
  DoShowJewel();
  EXPECT_EQ(States({gemA, gemB}), (std::vector<int>{2, 2}));
  added->ObjectState = 1;
  DoShowJewel();
  EXPECT_EQ(States({added, gemA, gemB, surface}), (std::vector<int>{1, 0, 0, 0}));
  // An intersection keeps its jewels whole.
  added->SetOperation(kBooleanIntersection);
  DoHideJewel();
  EXPECT_EQ(States({added, gemA, gemB}), (std::vector<int>{1, 0, 0}));
}

TEST_F(SelectionCommandsTest, HideJewelOnASubtractionReachesOnlyItsBody) {
  // The body is a union of a gem and a surface, so neither it nor the subtraction is a jewel.
  auto body = std::make_unique<CBooleanObject>();
  body->SetOperation(kBooleanUnion);
  body->members.Append(std::make_unique<CGemObject>());
  body->members.Append(std::make_unique<CSurfaceObject>());
  CGeomObject* bodyGem = body->members.head();
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanSubtraction);
  group->members.Append(std::move(body));
  group->members.Append(std::make_unique<CGemObject>());
  CBooleanObject* added = AddObject(group, 1);
  CGeomObject* subtractorGem = added->members.head()->next;
  DoHideJewel();
  EXPECT_EQ(States({added, bodyGem, subtractorGem}), (std::vector<int>{1, 2, 0}));
}

TEST_F(SelectionCommandsTest, FlagCommandsSkipCurvesAndAxisLinesAndAreUndone) {
  CGeomObject* curve = Add<CCurveObject>(1);
  CGeomObject* axis = Add<CAxisLineObject>(1);
  CGeomObject* surface = Add<CSurfaceObject>(1);
  CGeomObject* shown = Add<CMeshObject>(0);
  struct Case {
    void (*set)();
    void (*clear)();
    std::function<int(const CGeomObject&)> flag;
  };
  const Case cases[] = {
      {&DoBeJewel, &DoNotJewel, [](const CGeomObject& o) { return o.jewel; }},
      {&DoSuperSubtractor, &DoNotSuperSubtractor, [](const CGeomObject& o) { return o.subtractor; }},
  };
  for (const Case& c : cases) {
    view.BeginStep();
    c.set();
    EXPECT_EQ(c.flag(*curve), 0);
    EXPECT_EQ(c.flag(*axis), 0);
    EXPECT_EQ(c.flag(*surface), 1);
    EXPECT_EQ(c.flag(*shown), 0);
    view.BeginStep();
    c.clear();
    EXPECT_EQ(c.flag(*surface), 0);
    view.Undo();
    EXPECT_EQ(c.flag(*surface), 1);
    view.Undo();
    EXPECT_EQ(c.flag(*surface), 0);
  }
  DoNonDeformable();
  EXPECT_EQ(curve->flags & kFlagNoDeform, kFlagNoDeform);
  EXPECT_EQ(shown->flags & kFlagNoDeform, 0);
  DoDeformable();
  EXPECT_EQ(curve->flags & kFlagNoDeform, 0);
}

TEST_F(SelectionCommandsTest, HideCVReachesMembersOfNestedGroups) {
  auto inner = std::make_unique<CBooleanObject>();
  inner->members.Append(std::make_unique<CSurfaceObject>());
  auto* innerSurface = static_cast<CSurfaceObject*>(inner->members.head());
  auto outer = std::make_unique<CBooleanObject>();
  outer->members.Append(std::move(inner));
  AddObject(outer, 1);
  auto* loose = Add<CCurveObject>(0);
  DoHideCV();
  EXPECT_EQ(innerSurface->controlPointsHidden, 1);
  EXPECT_EQ(loose->controlPointsHidden, 0);
  DoShowCV();
  EXPECT_EQ(innerSurface->controlPointsHidden, 0);
}

std::vector<Vector3> CurvePoints() { return {{1, 2, 3}, {-2, 0.5f, 4}, {3, -1, -2}}; }

// Turned and moved: the frame Object Axis turns about.
Matrix4 TurnedFrame() {
  Matrix4 frame = kIdentityMatrix;
  frame.at(0, 0) = 0;
  frame.at(0, 1) = 1;
  frame.at(1, 0) = -1;
  frame.at(1, 1) = 0;
  frame.at(3, 0) = 5;
  frame.at(3, 1) = -3;
  frame.at(3, 2) = 2;
  return frame;
}

void ExpectNear(const std::vector<Vector3>& a, const std::vector<Vector3>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_NEAR(a[i].x, b[i].x, 1e-4);
    EXPECT_NEAR(a[i].y, b[i].y, 1e-4);
    EXPECT_NEAR(a[i].z, b[i].z, 1e-4);
  }
}

TEST_F(SelectionCommandsTest, Flip90TurnsAQuarterAndCopiesTurnAsTheirTwins) {
  struct View {
    int axisX, axisY, axisZ, signX, signY, signZ;
  };
  const View views[] = {{0, 1, 2, 1, 1, 1}, {0, 2, 1, 1, -1, 1}, {0, 1, 2, -1, 1, -1}};
  struct Twin {
    void (*inPlace)();
    void (*copy)();
    void (*back)();
  };
  const Twin twins[] = {{&DoRotate90Up, &DoCopyRotate90Up, &DoRotate90Down},
                        {&DoRotate90Down, &DoCopyRotate90Down, &DoRotate90Up},
                        {&DoRotate90Left, &DoCopyRotate90Left, &DoRotate90Right},
                        {&DoRotate90Right, &DoCopyRotate90Right, &DoRotate90Left}};
  for (const View& v : views) {
    view.SetAxes(v.axisX, v.axisY, v.axisZ, v.signX, v.signY, v.signZ);
    for (const int reference : {0, 2}) {
      TransformReference = reference;
      for (const Twin& twin : twins) {
        SCOPED_TRACE(testing::Message() << v.axisY << " reference " << reference);
        ResetScene();
        SetActiveView(&view);
        auto* curve = Add<CCurveObject>(1);
        curve->SetPoints(3, CurvePoints());
        curve->orientation = TurnedFrame();
        twin.inPlace();
        const std::vector<Vector3> turned = curve->points;
        // A quarter turn keeps distances between points and moves them.
        const Vector3 d0{CurvePoints()[0].x - CurvePoints()[1].x, CurvePoints()[0].y - CurvePoints()[1].y,
                         CurvePoints()[0].z - CurvePoints()[1].z};
        const Vector3 d1{turned[0].x - turned[1].x, turned[0].y - turned[1].y, turned[0].z - turned[1].z};
        EXPECT_NEAR(d0.x * d0.x + d0.y * d0.y + d0.z * d0.z, d1.x * d1.x + d1.y * d1.y + d1.z * d1.z, 1e-3);
        EXPECT_GT(std::fabs(turned[0].x - 1) + std::fabs(turned[0].y - 2) + std::fabs(turned[0].z - 3), 0.5f);
        twin.back();
        ExpectNear(curve->points, CurvePoints());
        twin.copy();
        EXPECT_EQ(curve->ObjectState, kStateShown);
        ASSERT_NE(curve->next, nullptr);
        EXPECT_EQ(curve->next->ObjectState, kStateSelected);
        ExpectNear(static_cast<CCurveObject*>(curve->next)->points, turned);
        ExpectNear(curve->points, CurvePoints());
      }
    }
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "kernel/curve_object.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/drawing_context.h"
#include "scene/input_tools.h"
#include "scene/pick_callback_tool.h"
#include "scene/pick_tool.h"
#include "scene/pointer_snapping.h"
#include "scene/static_tools.h"
#include "scene/tool_framework.h"
#include "scene/view_axis.h"
#include "scene/zoom_tools.h"
#include "scene_fixture.h"
#include "services/snap_step.h"

namespace {

// A top view of ten pixels per unit: model (x, y) is pixel (100 + 10 x, 100 - 10 y); grid unit 1.
class InputToolTest : public TopViewTest {
 protected:
  void SetUp() override {
    TopViewTest::SetUp();
    ProgramCommandQueue().SetDispatcher([this](int id) {
      ran.push_back(id);
      buffersAtCommand.push_back({buffer[0], buffer[1], buffer[2]});
    });
  }

  float buffer[3] = {9, 9, 9};
  std::vector<int> ran;
  std::vector<Vector3> buffersAtCommand;
};

TEST_F(InputToolTest, SnapDragPointKeepsToOneAxis) {
  struct Step {
    int x, y, start;
    int result;
    Vector3 point;
  };
  // Coarse: 1.2 right and 0.3 up follows the horizontal axis, not yet locked (it may still
  // switch); 2.5 right (snapped to 3) locks it and vertical motion is then ignored; a new press
  // starts afresh, and 2 whole units already lock.
  const Step coarse[] = {
      {100, 100, 1, -1, {0, 0, 0}},   {112, 97, 0, ~0, {1, 0, 0}}, {103, 88, 0, ~1, {0, 1, 0}},
      {125, 100, 0, 0, {3, 0, 0}},    {125, 40, 0, 0, {3, 0, 0}},  {100, 100, 1, -1, {0, 0, 0}},
      {103, 125, 0, 1, {0, -2, 0}},   {140, 125, 0, 1, {0, -2, 0}},
  };
  for (const Step& s : coarse) {
    Vector3 point(7, 7, 7);
    EXPECT_EQ(SnapDragPoint(&point, s.x, s.y, s.start), s.result) << s.x << ", " << s.y;
    EXPECT_EQ(point, s.point) << s.x << ", " << s.y;
  }
  // Fine: coordinates on 0.1 units, the lock still at 2 whole units.
  SnapFactor = 0.1f;
  Vector3 point;
  SnapDragPoint(&point, 100, 100, 1);
  EXPECT_EQ(SnapDragPoint(&point, 113, 98, 0), ~0);
  EXPECT_FLOAT_EQ(point.x, 1.3f);
  EXPECT_EQ(point.y, 0.0f);
  EXPECT_EQ(SnapDragPoint(&point, 121, 98, 0), 0);
  EXPECT_FLOAT_EQ(point.x, 2.1f);
}

TEST_F(InputToolTest, SnapPointToGridKeepsTheDepth) {
  Vector3 point(0, 0, 7.25f);
  SnapPointToGrid(&point, 113, 86);
  EXPECT_EQ(point, Vector3(1, 1, 7.25f));
  EXPECT_EQ(Headless().statusTexts.back(), "    X        1    Y        1    Z     7.25");
}

TEST_F(InputToolTest, ZoomBoxKeepsTheViewportShape) {
  view.SetSize(200, 100);
  view.ApplyProjection();
  CZoomBoxTool& tool = ZoomBoxTool();
  CTool* kept = GetTool(0);
  tool.KeepTool(nullptr);
  TheScene.secondaryTool = &tool;
  view.OnLButtonDown(kMouseLeftButton, 100, 50);
  view.OnMouseMove(kMouseLeftButton, 140, 50);  // only horizontally
  EXPECT_EQ(tool.hx, 40);
  EXPECT_EQ(tool.hy, 20);
  view.OnMouseMove(kMouseLeftButton, 110, 80);  // mostly vertically
  EXPECT_EQ(tool.hx, 60);
  EXPECT_EQ(tool.hy, 30);
  view.OnLButtonUp(0, 110, 80);
  EXPECT_EQ(GetTool(0), kept);
  EXPECT_FLOAT_EQ(view.zoomScale, 200.0f / 120.0f);

  // A box of half width 1 and a pane without area restore the kept tool and do not zoom.
  for (const int width : {200, 0}) {
    view.SetSize(width, 100);
    TheScene.secondaryTool = &tool;
    const float zoom = view.zoomScale;
    view.OnLButtonDown(kMouseLeftButton, 100, 50);
    view.OnMouseMove(kMouseLeftButton, 101, 50);
    view.OnLButtonUp(0, 101, 50);
    EXPECT_EQ(GetTool(0), kept);
    EXPECT_EQ(view.zoomScale, zoom);
  }
}

TEST_F(InputToolTest, PointPickFillsTheBufferBeforeItsCommand) {
  SnapFactor = 0.1f;
  StartPointPick(buffer, 4100);
  view.OnLButtonDown(kMouseLeftButton, 113, 86);
  view.OnMouseMove(kMouseLeftButton, 124, 79);
  view.OnLButtonUp(0, 124, 79);
  ASSERT_EQ(ran.size(), 0u);
  EXPECT_EQ(TheScene.secondaryTool, nullptr);
  EXPECT_FLOAT_EQ(buffer[0], 2.4f);
  EXPECT_FLOAT_EQ(buffer[1], 2.1f);
  EXPECT_EQ(buffer[2], 0.0f);
  const float onRaster = buffer[0] * 10.0f;
  EXPECT_FLOAT_EQ(onRaster, std::round(onRaster));
  ProgramCommandQueue().Drain();
  EXPECT_EQ(ran, (std::vector<int>{4100}));
  EXPECT_FLOAT_EQ(buffersAtCommand[0].x, 2.4f);
}

TEST_F(InputToolTest, VectorDragWithEitherButton) {
  // A side view looking along -x: screen x shows -y, screen y shows +z.
  view.SetAxes(1, 2, 0, -1, 1, 1);
  view.ApplyProjection();
  int sh = 0;
  ASSERT_EQ(GetViewAxis(0, &sh), 1);
  ASSERT_EQ(sh, -1);
  struct Case {
    int want3D;
    bool right;
    Vector3 result;
  };
  const Case cases[] = {
      {1, false, {0, -3, 0}},  // left: locked to the horizontal, the vertical motion dropped
      {0, false, {3, 0, 0}},   // the screen components with their signs
      {1, true, {0, -3, 1}},   // right: free on the plane x = 0
      {0, true, {3, 1, 0}},
  };
  for (const Case& c : cases) {
    ran.clear();
    StartVectorDrag(buffer, 4200, c.want3D);
    if (c.right) {
      view.OnRButtonDown(kMouseRightButton, 100, 100);
      view.OnMouseMove(kMouseRightButton, 130, 90);
      view.OnRButtonUp(0, 130, 90);
    } else {
      view.OnLButtonDown(kMouseLeftButton, 100, 100);
      view.OnMouseMove(kMouseLeftButton, 130, 90);
      view.OnLButtonUp(0, 130, 90);
    }
    EXPECT_EQ(Vector3(buffer[0], buffer[1], buffer[2]), c.result) << c.want3D << c.right;
    EXPECT_EQ(TheScene.secondaryTool, nullptr);
    ProgramCommandQueue().Drain();
    EXPECT_EQ(ran, (std::vector<int>{4200}));
  }
}

TEST_F(InputToolTest, ZoomAllFitsTheShownObjects) {
  auto curve = std::make_unique<CCurveObject>();
  curve->SetPoints(2, {{-4, -1, 0}, {6, 3, 2}});
  AddObject(curve, 1);
  auto hidden = std::make_unique<CCurveObject>();
  hidden->SetPoints(2, {{-100, 0, 0}, {100, 0, 0}});
  AddObject(hidden, 1)->ObjectState = 2;
  auto axis = std::make_unique<CAxisLineObject>();
  AddObject(axis, 1);
  ZoomAll();
  // Half sizes 5, 2, 1 around (1, 1, 1): the zoom fits 5 units into the extent of 10.
  EXPECT_FLOAT_EQ(view.zoomScale, 2.0f);
  EXPECT_EQ(TransformPoint({1, 1, 1}, view.viewMatrix), Vector3(0, 0, 0));
}

// A pick-callback press on a subtraction group picks its body only (without the subtract-body
// flag), and an object of another kind is no pick.
TEST_F(InputToolTest, PickCallbackPicksGroupMembersOfTheWantedKind) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanSubtraction);
  auto body = std::make_unique<CCurveObject>();
  body->stepsPerSpan = 1;
  body->SetPoints(2, {{-5, 0, 0}, {5, 0, 0}});
  CGeomObject* bodyPointer = body.get();
  auto cutter = std::make_unique<CCurveObject>();
  cutter->stepsPerSpan = 1;
  cutter->SetPoints(2, {{-5, 0, 0}, {5, 0, 0}});
  CGeomObject* cutterPointer = cutter.get();
  group->members.Append(std::move(body));
  group->members.Append(std::move(cutter));
  CBooleanObject* groupPointer = AddObject(group, 1);
  auto other = std::make_unique<CCurveObject>();
  other->stepsPerSpan = 1;
  other->SetPoints(2, {{-5, 3, 0}, {5, 3, 0}});
  AddObject(other, 1);

  CPickCallbackTool& tool = PickCallbackTool();
  struct Case {
    int subtractBody, wantedKind, memberKind, y;
    CGeomObject* picked;
    CGeomObject* group;
  };
  const Case cases[] = {
      {0, kKindMesh, kKindCurve, 100, bodyPointer, groupPointer},
      {1, kKindMesh, kKindCurve, 100, cutterPointer, groupPointer},
      {1, kKindMesh, kKindMesh, 100, nullptr, nullptr},  // no member of the kind
      {0, kKindMesh, kKindSurface, 70, nullptr, nullptr},  // a curve is neither kind
      {0, kKindCurve, kKindSurface, 70, TheScene.head->next, nullptr},
      {0, kKindCurve, 0, 70, TheScene.head->next, nullptr},
      {0, kKindSurface, 0, 70, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    groupPointer->subtractBody = c.subtractBody;
    StartCallbackTool(nullptr, c.wantedKind, c.memberKind);
    view.OnLButtonDown(kMouseLeftButton, 100, c.y);
    view.OnLButtonUp(0, 100, c.y);
    EXPECT_EQ(tool.picked, c.picked) << c.memberKind << " " << c.y;
    EXPECT_EQ(TheScene.pickedGroup, c.group) << c.memberKind << " " << c.y;
  }
}

}  // namespace

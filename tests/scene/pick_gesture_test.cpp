#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kernel/curve_object.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/drawing_context.h"
#include "scene/pick_tool.h"
#include "scene/point_selection.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"
#include "services/layer_table.h"

namespace {

// An axis line that draws as a vertical screen line, standing in for the axis line's wire frame.
class DrawnAxisLine : public CAxisLineObject {
 public:
  void Draw(int) override {
    BeginPolyline(kPolylineOpen);
    AddPolylineVertex({-30, -50, 0});
    AddPolylineVertex({-30, 50, 0});
    EndPolyline();
  }
};

std::unique_ptr<CCurveObject> Polyline(std::vector<Vector3> points) {
  auto curve = std::make_unique<CCurveObject>();
  curve->stepsPerSpan = 1;
  curve->SetPoints(static_cast<int>(points.size()), points);
  return curve;
}

// A top view one pixel per unit: model (x, y) is pixel (100 + x, 100 - y). Two curves lie on
// the same line (the second drawn last), a vertical curve at x = 30, an axis line at x = -30
// and a curve on a layer that cannot be picked.
class PickGestureTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    Headless().hasMainWindow = true;
    for (CViewport* pane : {&view, &other}) {
      pane->SetSize(201, 201);
      pane->SetAxes(0, 1, 2, 1, 1, 1);
      pane->viewExtent = 100;
      pane->documentHistory = &document;
    }
    document.views = {&view, &other};
    SetActiveView(nullptr);
    first = Link(Polyline({{-50, 0, 0}, {50, 0, 0}}));
    second = Link(Polyline({{-50, 0, 0}, {0, 0, 0}, {50, 0, 0}}));
    upright = Link(Polyline({{30, -50, 0}, {30, 50, 0}}));
    axis = Link(std::make_unique<DrawnAxisLine>());
    locked = Link(Polyline({{-50, 20, 0}, {50, 20, 0}}));
    locked->layer = 3;
    LayerTable[3].pickable = 0;
    SetActiveView(&view);
    ResetToPickTool();
  }

  void Drag(int flags, std::vector<std::pair<int, int>> path) {
    view.OnLButtonDown(flags | kMouseLeftButton, path.front().first, path.front().second);
    for (const auto& [x, y] : path) view.OnMouseMove(flags | kMouseLeftButton, x, y);
    view.OnLButtonUp(flags, path.back().first, path.back().second);
  }

  std::vector<int> States() const {
    return {first->ObjectState, second->ObjectState, upright->ObjectState, axis->ObjectState,
            locked->ObjectState};
  }

  std::size_t RecordsOfLastStep() const { return document.ring[document.index].size(); }

  CViewport other;
  CCurveObject* first = nullptr;
  CCurveObject* second = nullptr;
  CCurveObject* upright = nullptr;
  DrawnAxisLine* axis = nullptr;
  CCurveObject* locked = nullptr;
};

TEST_F(PickGestureTest, ClicksAndWindowsToggleWhatTheyHit) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> path;
    std::vector<int> states;
    std::string status;
  };
  const Case cases[] = {
      {"click on both curves toggles the last drawn", {{110, 100}}, {0, 1, 0, 0, 0}, "Picking... (1 picked objects)"},
      {"window over both toggles both", {{90, 95}, {110, 105}}, {1, 0, 0, 0, 0}, "Picking... (1 picked objects)"},
      {"zero-width window is a 4-pixel strip", {{132, 60}, {132, 90}}, {1, 0, 1, 0, 0}, "Picking... (2 picked objects)"},
      {"window from the lower right", {{135, 95}, {125, 105}}, {0, 1, 0, 0, 0}, "Picking... (1 picked objects)"},
  };
  for (const Case& c : cases) {
    Drag(0, c.path);
    EXPECT_EQ(States(), c.states) << c.name;
    EXPECT_EQ(Headless().statusTexts.back(), c.status) << c.name;
  }

  // A miss records nothing.
  const int step = document.index;
  Drag(0, {{180, 180}});
  EXPECT_EQ(document.index, step);

  // A right click deselects everything but axis lines.
  axis->ObjectState = 1;
  view.OnRButtonDown(kMouseRightButton, 5, 5);
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 0, 1, 0}));
  EXPECT_EQ(Headless().statusTexts.back(), "Picking... (0 picked objects)");
}

TEST_F(PickGestureTest, ShiftWindowTogglesTheMarksOfUnselectedObjectsOnly) {
  second->ObjectState = 1;
  Drag(kMouseShift, {{45, 95}, {55, 105}});  // around model (-50, 0)
  EXPECT_EQ(first->marks, (std::vector<std::int32_t>{1, 0}));
  EXPECT_EQ(second->marks, (std::vector<std::int32_t>{0, 0, 0}));
  EXPECT_EQ(RecordsOfLastStep(), 2u);  // the shown curves on pickable layers
  EXPECT_EQ(GetActiveView(), &view);

  // A click in point mode is a window of 2 pixels each way; the zero-width widening comes first.
  StartPickCVs();
  Drag(0, {{148, 100}});  // model (48, 0): the point at 50 is 2 pixels off
  EXPECT_EQ(first->marks, (std::vector<std::int32_t>{1, 1}));
  Drag(0, {{150, 94}, {150, 96}});  // widened by 2 for no width, then 2 more: 146..154 x 92..98
  EXPECT_EQ(first->marks, (std::vector<std::int32_t>{1, 1}));
  Drag(0, {{146, 96}, {146, 98}});  // 142..150 x 94..100 reaches the point
  EXPECT_EQ(first->marks, (std::vector<std::int32_t>{1, 0}));
}

TEST_F(PickGestureTest, LassoPicksWhatItEncloses) {
  // Moves of a pixel add nothing; the others make the lasso around both curves' middle.
  CPickTool* tool = static_cast<CPickTool*>(GetTool(0));
  view.OnLButtonDown(kMouseControl | kMouseLeftButton, 90, 90);
  view.OnMouseMove(kMouseControl | kMouseLeftButton, 91, 91);
  EXPECT_EQ(tool->lassoPoints.size(), 1u);
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{120, 90}, {120, 110}, {90, 110}}) {
    view.OnMouseMove(kMouseControl | kMouseLeftButton, x, y);
  }
  EXPECT_EQ(tool->lassoPoints.size(), 4u);
  view.OnLButtonUp(kMouseControl, 90, 110);
  EXPECT_EQ(States(), (std::vector<int>{1, 1, 0, 0, 0}));
  EXPECT_TRUE(tool->lassoPoints.empty());

  // A long lasso grows its array: 300 points zigzag down x 125..128 and back up x 155..158,
  // between y 110 and 160, round the lower part of the upright curve only.
  view.OnLButtonDown(kMouseControl | kMouseLeftButton, 125, 110);
  for (int i = 1; i < 300; ++i) {
    const bool down = i < 150;
    const int x = (down ? 125 : 155) + (i % 2) * 3;
    const int y = down ? 110 + i / 3 : 160 - (i - 150) / 3;
    view.OnMouseMove(kMouseControl | kMouseLeftButton, x, y);
  }
  EXPECT_EQ(tool->lassoPoints.size(), 300u);
  EXPECT_GT(tool->lassoPoints.capacity(), 256u);
  view.OnLButtonUp(kMouseControl, 158, 110);
  EXPECT_EQ(States(), (std::vector<int>{1, 1, 1, 0, 0}));

  // A one-point lasso records no undo.
  const int step = document.index;
  view.OnLButtonDown(kMouseControl | kMouseLeftButton, 100, 100);
  view.OnLButtonUp(kMouseControl, 100, 100);
  EXPECT_EQ(document.index, step);
  EXPECT_EQ(States(), (std::vector<int>{1, 1, 1, 0, 0}));
}

TEST_F(PickGestureTest, ShiftLassoFlipsTheMarksInside) {
  Drag(kMouseShift | kMouseControl, {{40, 90}, {60, 90}, {60, 110}, {40, 110}});
  EXPECT_EQ(first->marks, (std::vector<std::int32_t>{1, 0}));
  EXPECT_EQ(second->marks, (std::vector<std::int32_t>{1, 0, 0}));
  CPickTool* tool = static_cast<CPickTool*>(GetTool(0));
  EXPECT_EQ((std::vector<int>{tool->x0, tool->y0, tool->x1, tool->y1}), (std::vector<int>{40, 90, 60, 110}));
}

TEST_F(PickGestureTest, TheTLineToolTouchesOnlyAxisLines) {
  StartPickTLines();
  Drag(0, {{60, 40}, {140, 160}});
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 0, 1, 0}));
  Drag(kMouseShift, {{60, 40}, {140, 160}});
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(first->marks, (std::vector<std::int32_t>{0, 0}));
  axis->ObjectState = 1;
  first->ObjectState = 1;
  view.OnRButtonDown(kMouseRightButton, 5, 5);
  EXPECT_EQ(States(), (std::vector<int>{1, 0, 0, 0, 0}));
}

TEST(PointInPolygonTest, HalfOpenEdgesAndTheBoundingBox) {
  const std::vector<ScreenPoint> diamond = {{10, 0}, {20, 10}, {10, 20}, {0, 10}};
  struct Case {
    float x, y;
    int inside;
  };
  const Case cases[] = {
      {10, 10, 1},                // centre, level with the side vertices: counted once
      {2, 10, 1},                 // level with the left vertex, inside
      {10, 1, 1},    {10, 19, 1},  // near the top and bottom vertices
      {1, 1, 0},                  // in the box, outside the diamond
      {0, 0, 0},     {20, 20, 0},  // box corners
      {21, 10, 0},   {-1, 10, 0},  // outside the box
      {5, 5, 1},                  // on a left edge: inside
      {15, 5, 0},                 // on a right edge: outside
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointInPolygon(c.x, c.y, diamond, 0, 0, 20, 20), c.inside) << c.x << ", " << c.y;
  }
  EXPECT_EQ(PointInPolygon(5, 5, {}, 0, 0, 20, 20), 0);
}

}  // namespace

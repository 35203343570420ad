#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "curve_fixture.h"
#include "modelling/curve_pick_commands.h"
#include "modelling/join_curves_tool.h"
#include "modelling/sketch_tool.h"
#include "modelling/split_curve_tool.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_callback_tool.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/tool_lifetime.h"
#include "scene/undo_history.h"
#include "services/resource_strings.h"

namespace {

// Two selected curves to pick: three points along y = 2, four along y = -2.
class CurveToolsTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    upper = AddCurve({{-5, 2, 0}, {0, 2, 0}, {5, 2, 0}});
    lower = AddCurve({{-5, -2, 0}, {-2, -2, 0}, {2, -2, 0}, {5, -2, 0}});
    ResetToPickTool();
  }

  CCurveObject* upper = nullptr;
  CCurveObject* lower = nullptr;
};

TEST_F(CurveToolsTest, JoinAppendsInPickOrderAndTakesTheLastPickBack) {
  DoJoinCurves();
  auto* tool = dynamic_cast<CJoinCurvesTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(Headless().statusTexts.back(), "Joining curves... (Pick curves to join)");
  EXPECT_EQ(GetCurrentToolCursorId(), kJoinCurvesCommand);
  ClickAt(1, 2);
  ClickAt(1, -2);
  ASSERT_EQ(tool->Joined().PointCount(), 7);
  EXPECT_EQ(tool->Joined().points[3], (Vector3{-5, -2, 0}));
  // While the tool runs the scene holds only the two curves.
  EXPECT_EQ(Objects().size(), 2u);
  view.OnRButtonDown(kMouseRightButton, PixelX(8), PixelY(8));
  EXPECT_EQ(tool->Joined().PointCount(), 3);
  ClickAt(1, -2);

  ResetToPickTool();
  EXPECT_EQ(upper->ObjectState, -1);
  EXPECT_EQ(lower->ObjectState, -1);
  const std::vector<CCurveObject*> joined = CurvesIn(kStateSelected);
  ASSERT_EQ(joined.size(), 1u);
  EXPECT_EQ(joined[0]->PointCount(), 7);
  // One undo gives the scene before the join.
  UndoCommand();
  EXPECT_EQ(upper->ObjectState, kStateSelected);
  EXPECT_EQ(lower->ObjectState, kStateSelected);
  EXPECT_EQ(CurvesIn(kStateSelected).size(), 2u);
}

TEST_F(CurveToolsTest, JoinEndingWithNothingAddsNothingAndStopsAtItsLimit) {
  DoJoinCurves();
  ClickAt(0, 5);  // nothing there
  ResetToPickTool();
  EXPECT_EQ(Objects().size(), 2u);
  EXPECT_EQ(UndoSteps(), 0);

  DoJoinCurves();
  auto* tool = dynamic_cast<CJoinCurvesTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  for (int i = 0; i <= CJoinCurvesTool::kMaxPicks; ++i) ClickAt(1, 2);
  EXPECT_EQ(tool->PickCount(), CJoinCurvesTool::kMaxPicks);
  EXPECT_EQ(tool->Joined().PointCount(), 3 * CJoinCurvesTool::kMaxPicks);
}

TEST_F(CurveToolsTest, JoinWithoutAnActiveViewportStartsNoTool) {
  SetActiveView(nullptr);
  DoJoinCurves();
  DoSplitCurve();
  DoSketchCurve();
  DoInBetweenCurve();
  DoCurveLength();
  SetActiveView(&view);
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
}

TEST_F(CurveToolsTest, SplitAtAnInnerPointGivesTwoOpenCurvesSharingIt) {
  CCurveObject* five = AddCurve({{-4, 6, 0}, {-2, 6, 0}, {0, 6, 0}, {2, 6, 0}, {4, 6, 0}}, kStateShown, 1);
  DoSplitCurve();
  EXPECT_EQ(GetCurrentToolCursorId(), kSplitCurveCommand);
  // Released on an end point: nothing changes.
  ClickAt(-4, 6);
  EXPECT_EQ(five->ObjectState, kStateShown);
  ClickAt(0, 6);
  EXPECT_EQ(five->ObjectState, -1);
  const std::vector<CGeomObject*> objects = Objects();
  ASSERT_EQ(objects.size(), 5u);
  const auto* left = static_cast<CCurveObject*>(objects[3]);
  const auto* right = static_cast<CCurveObject*>(objects[4]);
  EXPECT_EQ(left->points, (std::vector<Vector3>{{-4, 6, 0}, {-2, 6, 0}, {0, 6, 0}}));
  EXPECT_EQ(right->points, (std::vector<Vector3>{{0, 6, 0}, {2, 6, 0}, {4, 6, 0}}));
  EXPECT_EQ(left->closed + right->closed, 0);
  EXPECT_EQ(left->ObjectState + right->ObjectState, 2);
  UndoCommand();
  EXPECT_EQ(five->ObjectState, kStateShown);
  EXPECT_EQ(CurvesIn(kStateSelected).size(), 2u);
}

TEST_F(CurveToolsTest, InBetweenRefusesUnequalCountsThenMakesTheMidpointCurve) {
  CCurveObject* third = AddCurve({{-5, 6, 0}, {0, 8, 0}, {5, 6, 0}}, kStateShown);
  DoInBetweenCurve();
  EXPECT_EQ(Headless().statusTexts.back(), "Pick two curves to create a curve in between them");
  ClickAt(1, 2);
  ClickAt(1, -2);
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Please pick a curve of same number of CVs as first curve.");
  EXPECT_EQ(Headless().messages[0].caption, ApplicationTitle());
  EXPECT_NE(dynamic_cast<CPickCallbackTool*>(GetTool(0)), nullptr);
  // The first curve is still the one remembered.
  ClickAt(4, 6.5f);
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  DestroyRetiredTools();
  const std::vector<CGeomObject*> objects = Objects();
  ASSERT_EQ(objects.size(), 4u);
  const auto* between = static_cast<CCurveObject*>(objects[3]);
  EXPECT_EQ(between->points, (std::vector<Vector3>{{-5, 4, 0}, {0, 5, 0}, {5, 4, 0}}));
  EXPECT_EQ(between->ObjectState, kStateSelected);
  EXPECT_EQ(third->ObjectState, kStateShown);
}

TEST_F(CurveToolsTest, CurveLengthShowsEachPickedCurveAndStays) {
  AddCurve({{0, 6, 0}, {4, 6, 0}}, kStateShown);
  DoCurveLength();
  EXPECT_EQ(Headless().statusTexts.back(), "Pick a curve to measure its length...");
  ClickAt(2, 6);
  EXPECT_EQ(Headless().statusTexts.back(), "Pick a curve to measure its length...  Curve Length =    4.000");
  ClickAt(1, 2);
  EXPECT_EQ(Headless().statusTexts.back(), "Pick a curve to measure its length...  Curve Length =   10.000");
  EXPECT_NE(dynamic_cast<CPickCallbackTool*>(GetTool(0)), nullptr);
}

using Pixels = std::vector<CSketchTool::Pixel>;

// A horizontal stroke of count points, step pixels apart.
Pixels Straight(int count, int step) {
  Pixels stroke;
  for (int i = 0; i < count; ++i) stroke.push_back({i * step, 0});
  return stroke;
}

TEST(SketchControlPixelsTest, TakesPointsByCountTravelAndLimit) {
  struct Case {
    const char* name;
    Pixels stroke;
    Pixels taken;  // empty: only the count is checked
    std::size_t count;
    int closed;
  };
  const Pixels square = {{0, 0}, {30, 0}, {30, 30}, {0, 30}, {3, 3}};
  Pixels many = Straight(3000, 1);
  const std::vector<Case> cases = {
      {"closing, 5 points: 2 stay", square, {{0, 0}, {30, 0}}, 2, 1},
      {"one point", {{5, 5}}, {}, 0, 0},
      {"every ninth point", Straight(20, 1), {{0, 0}, {9, 0}, {18, 0}, {19, 0}}, 4, 0},
      {"2500 squared pixels", Straight(8, 30), {{0, 0}, {90, 0}, {180, 0}, {210, 0}}, 4, 0},
      {"300 would be taken", many, {}, 256, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SketchControlPixels result = TakeSketchControlPixels(c.stroke);
    EXPECT_EQ(result.closed, c.closed);
    ASSERT_EQ(result.pixels.size(), c.count);
    if (!c.taken.empty()) {
      EXPECT_EQ(result.pixels, c.taken);
    }
    if (c.count > 0 && c.closed == 0) {
      EXPECT_EQ(result.pixels.back(), c.stroke.back());
    }
  }
}

TEST_F(CurveToolsTest, SketchStrokeBecomesACurveOnTheGrid) {
  DoSketchCurve();
  EXPECT_EQ(GetCurrentToolCursorId(), kSketchCurveCommand);
  auto* tool = dynamic_cast<CSketchTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  view.OnLButtonDown(kMouseLeftButton, 100, 100);
  view.OnMouseMove(kMouseLeftButton, 101, 100);  // the second point: no point before the last yet
  view.OnMouseMove(kMouseLeftButton, 101, 100);  // the same point again
  view.OnMouseMove(kMouseLeftButton, 101, 101);  // under 2 pixels from the one before the last
  EXPECT_EQ(tool->Stroke(), (Pixels{{100, 100}, {101, 101}}));
  for (int x = 110; x <= 200; x += 10) view.OnMouseMove(kMouseLeftButton, x, 100);
  view.OnLButtonUp(0, 200, 100);
  const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
  ASSERT_EQ(curves.size(), 3u);
  EXPECT_EQ(curves[2]->points, (std::vector<Vector3>{{0, 0, 0}, {8, 0, 0}, {10, 0, 0}}));
  EXPECT_EQ(curves[2]->closed, 0);
  UndoCommand();
  EXPECT_EQ(CurvesIn(kStateSelected).size(), 2u);
}

TEST_F(CurveToolsTest, SketchIgnoresMovesBeyondItsStrokeLimit) {
  DoSketchCurve();
  auto* tool = dynamic_cast<CSketchTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  view.OnLButtonDown(kMouseLeftButton, 0, 0);
  for (int i = 1; i <= 12000; ++i) view.OnMouseMove(kMouseLeftButton, (i % 2) * 40, i);
  EXPECT_EQ(tool->Stroke().size(), static_cast<std::size_t>(CSketchTool::kMaxStrokePoints));
  view.OnLButtonUp(0, 0, 0);
  const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
  ASSERT_EQ(curves.size(), 3u);
  EXPECT_EQ(curves[2]->PointCount(), CSketchTool::kMaxControlPoints);
}

}  // namespace

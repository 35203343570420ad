#include "modelling/curve_tool.h"

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kernel/curve_object.h"
#include "modelling/curve_drawing_commands.h"
#include "scene/design_file.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene_fixture.h"

namespace {

using Points = std::vector<Vector3>;

// The curve each variant builds from its free points, written out here from the layouts the
// variants promise, independently of the tool.
Points Reversed(Points p) { return Points(p.rbegin(), p.rend()); }
Points Negated(Points p, std::initializer_list<int> axes) {
  for (Vector3& point : p) {
    for (const int axis : axes) (axis == 0 ? point.x : axis == 1 ? point.y : point.z) *= -1.0f;
  }
  return p;
}
Points Joined(Points a, const Points& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Variant {
  const char* name;
  std::function<void()> start;
  std::function<Points(const Points&)> layout;
};

// Every variant: simple, the three mirrors, cycle, and a transform of three copies each 10 units
// down the screen.
std::vector<Variant> Variants() {
  Matrix4 down = kIdentityMatrix;
  down.at(3, 1) = -10.0f;
  return {
      {"simple", &DoCurveSimple, [](const Points& f) { return f; }},
      {"vertical mirror", &DoCurveVerticalMirror, [](const Points& f) { return Joined(f, Reversed(Negated(f, {0}))); }},
      {"horizontal mirror", &DoCurveHorizontalMirror,
       [](const Points& f) { return Joined(f, Reversed(Negated(f, {1}))); }},
      {"revolve 180", &DoCurveRevolve180, [](const Points& f) { return Joined(f, Reversed(Negated(f, {0, 1}))); }},
      {"cycle", &DoCurveCycle,
       [](const Points& f) {
         const Points half = Joined(f, Reversed(Negated(f, {1})));
         return Joined(half, Reversed(Negated(half, {0})));
       }},
      {"transform", [down] { StartCurveTransformTool(3, down, 0); },
       [](const Points& f) {
         Points all = f;
         for (int block = 1; block < 3; ++block) {
           for (const Vector3& p : f) all.push_back({p.x, p.y - 10.0f * static_cast<float>(block), p.z});
         }
         return all;
       }},
  };
}

struct View {
  const char* name;
  int signX, signZ;
};
const View kViews[] = {{"front", 1, 1}, {"back", -1, -1}};

class CurveToolTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ShowTenPixelsPerUnit(view);
  }
  void Show(const View& shown) { view.SetAxes(0, 1, 2, shown.signX, 1, shown.signZ); }

  // The pixel of a model point in the active view.
  static std::pair<int, int> PixelOf(Vector3 p) {
    ApplyActiveViewProjection();
    const Vector3 screen = TransformPoint(p, GetViewTransform());
    return {static_cast<int>(std::lround(screen.x)), static_cast<int>(std::lround(screen.y))};
  }
  void Click(Vector3 at, int extra = 0) {
    const auto [x, y] = PixelOf(at);
    view.OnLButtonDown(kMouseLeftButton | extra, x, y);
    view.OnLButtonUp(extra, x, y);
  }
  void Press(Vector3 at) {
    const auto [x, y] = PixelOf(at);
    view.OnLButtonDown(kMouseLeftButton, x, y);
  }
  void MoveTo(Vector3 at) {
    const auto [x, y] = PixelOf(at);
    view.OnMouseMove(kMouseLeftButton, x, y);
  }
  void Release(Vector3 at) {
    const auto [x, y] = PixelOf(at);
    view.OnLButtonUp(0, x, y);
  }
  // Down, up, double-click; the window drops the up that follows, no button being held.
  void DoubleClick(Vector3 at) {
    Click(at);
    const auto [x, y] = PixelOf(at);
    view.OnLButtonDblClk(kMouseLeftButton, x, y);
  }
  static CCurveTool* Tool() { return dynamic_cast<CCurveTool*>(TheScene.defaultTool.get()); }
  static Points CurvePoints() {
    const CCurveObject* curve = Tool() != nullptr ? Tool()->WorkingCurve() : nullptr;
    return curve != nullptr ? curve->points : Points();
  }
  static std::vector<CCurveObject*> SceneCurves(int state) {
    std::vector<CCurveObject*> curves;
    CGeomObject* cursor = nullptr;
    while (CGeomObject* object = NextObject(cursor, state, kKindCurve)) curves.push_back(static_cast<CCurveObject*>(object));
    return curves;
  }
};

void ExpectPoints(const Points& actual, const Points& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-4) << i;
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-4) << i;
    EXPECT_NEAR(actual[i].z, expected[i].z, 1e-4) << i;
  }
}

const Points kClicks = {{1, 1, 0}, {3, 4, 0}, {6, 2, 0}};

TEST_F(CurveToolTest, ThePaneMapsModelPointsAsTheFixtureSays) {
  EXPECT_EQ(PixelOf({2, 3, 0}), std::make_pair(120, 70));
}

// Three clicks lay the curve out as the variant promises, in views of either sign; then every
// curve point, dragged, lands under the cursor while its copies follow the symmetry.
TEST_F(CurveToolTest, ClicksAndDragsKeepEveryVariantsSymmetry) {
  for (const Variant& variant : Variants()) {
    for (const View& shown : kViews) {
      SCOPED_TRACE(std::string(variant.name) + " in the " + shown.name + " view");
      Show(shown);
      variant.start();
      for (const Vector3& at : kClicks) Click(at);
      ExpectPoints(CurvePoints(), variant.layout(kClicks));
      const std::size_t count = CurvePoints().size();
      for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        ResetToPickTool();
        variant.start();
        for (const Vector3& at : kClicks) Click(at);
        const Vector3 from = CurvePoints()[i];
        const Vector3 to = {from.x + 2.0f, from.y - 1.0f, from.z};
        Press(from);
        MoveTo(to);
        Release(to);
        const Points after = CurvePoints();
        ASSERT_EQ(after.size(), count);
        ExpectPoints({after[i]}, {to});
        const int copies = static_cast<int>(count / kClicks.size());
        const Points free(after.begin(), after.begin() + static_cast<std::ptrdiff_t>(count / copies));
        ExpectPoints(after, variant.layout(free));
      }
      ResetToPickTool();
    }
  }
}

TEST_F(CurveToolTest, EndsGrowInsertsGoBetweenAndAClosingSegmentExtends) {
  struct Case {
    const char* name;
    std::function<void()> start;
    Points clicks;
    Points free;
  };
  const Case cases[] = {
      {"nearer the first point prepends", &DoCurveSimple, {{0, 0, 0}, {6, 0, 0}, {-3, 0, 0}},
       {{-3, 0, 0}, {0, 0, 0}, {6, 0, 0}}},
      {"a tie appends", &DoCurveSimple, {{0, 0, 0}, {4, 0, 0}, {2, 3, 0}}, {{0, 0, 0}, {4, 0, 0}, {2, 3, 0}}},
      {"near an inner segment inserts", &DoCurveSimple, {{0, 0, 0}, {4, 0, 0}, {8, 0, 0}, {2, 1, 0}},
       {{0, 0, 0}, {2, 1, 0}, {4, 0, 0}, {8, 0, 0}}},
      {"near a closed curve's closing segment extends", &DoCurveCycle, {{2, 1, 0}, {1, 2, 0}},
       {{2, 1, 0}, {1, 2, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.start();
    for (const Vector3& at : c.clicks) Click(at);
    const Points points = CurvePoints();
    ExpectPoints(Points(points.begin(), points.begin() + Tool()->FreePointCount()), c.free);
    ResetToPickTool();
  }
}

// The same click by a thin closed box: its closing segment is nearer than the inner one.
TEST_F(CurveToolTest, AnInsertNeedsTheNearestInnerSegmentWithin25Pixels) {
  const Points box = {{0, 0, 0}, {4, 0, 0}, {4, 1, 0}, {0, 1, 0}};
  const struct {
    const char* name;
    Vector3 click;
    int closed;
    int segment;
  } cases[] = {
      {"open, 5 pixels from the first segment", {0.3f, 0.5f, 0}, 0, 1},
      {"closed, 3 pixels from the closing segment", {0.3f, 0.5f, 0}, 1, -1},
      {"open, nearest the first point", {-0.2f, 0.1f, 0}, 0, -1},
      {"open, 30 pixels from every segment", {2, 4, 0}, 0, -1},
      {"open, inside the third segment's reach", {2, 1.4f, 0}, 0, 3},
  };
  for (const auto& c : cases) {
    const auto [x, y] = PixelOf(c.click);
    EXPECT_EQ(PickInsertSegment(box, c.closed, x, y), c.segment) << c.name;
  }
  EXPECT_EQ(PickControlPoint(box, 144, 86), 2);  // within 5 pixels of (4, 1) at (140, 90)
  EXPECT_EQ(PickControlPoint(box, 145, 95), 1);  // of (4, 0) too: the lower index
  EXPECT_EQ(PickControlPoint(box, 146, 90), -1);
  EXPECT_EQ(PickControlPoint({}, 100, 100), -1);
}

TEST_F(CurveToolTest, ADoubleClickDoublesAPointThatDragsAsOneUntilARightPressPeelsACopy) {
  DoCurveSimple();
  Click({1, 1, 0});
  DoubleClick({3, 3, 0});
  ExpectPoints(CurvePoints(), {{1, 1, 0}, {3, 3, 0}, {3, 3, 0}});
  Press({3, 3, 0});
  MoveTo({5, 5, 0});
  ExpectPoints(CurvePoints(), {{1, 1, 0}, {5, 5, 0}, {5, 5, 0}});
  const auto [x, y] = PixelOf({5, 5, 0});
  view.OnRButtonDown(kMouseLeftButton | kMouseRightButton, x, y);
  view.OnRButtonUp(kMouseLeftButton, x, y);
  MoveTo({6, 4, 0});
  Release({6, 4, 0});
  ExpectPoints(CurvePoints(), {{1, 1, 0}, {6, 4, 0}});
  // Undo and Redo leave a drawing alone.
  UndoWithCurrentTool();
  RedoWithCurrentTool();
  ExpectPoints(CurvePoints(), {{1, 1, 0}, {6, 4, 0}});
  EXPECT_TRUE(SceneCurves(-1).empty());
}

// A copy count below one would divide by zero in an edit; an unknown command has no texts.
TEST_F(CurveToolTest, ATransformToolNeedsACopyAndACommandOfItsOwn) {
  ResetToPickTool();
  const CTool* pick = TheScene.defaultTool.get();
  const struct {
    int command, copies;
  } refused[] = {{7005, 0}, {7006, -3}, {7000, 2}};
  for (const auto& c : refused) {
    StartTransformCurveTool(c.command, c.copies, kIdentityMatrix, 0, false);
    EXPECT_EQ(TheScene.defaultTool.get(), pick) << c.command << " " << c.copies;
  }
  StartTransformCurveTool(7006, 4, kIdentityMatrix, 1, true);
  ASSERT_NE(Tool(), nullptr);
  EXPECT_EQ(Tool()->GetCursorId(), 7006);
  EXPECT_TRUE(Tool()->pickCurveFirst);
  EXPECT_EQ(Headless().statusTexts.back(), "Pick a revolutary curve to edit...");
}

TEST_F(CurveToolTest, LeavingTheToolAddsTheCurveAndEachCurveIsAnUndoStep) {
  DoCurveSimple();
  EXPECT_TRUE(CurveToolActive());
  Click({1, 1, 0});
  ResetToPickTool();
  EXPECT_FALSE(CurveToolActive());
  ASSERT_EQ(SceneCurves(1).size(), 1u);
  ExpectPoints(SceneCurves(1)[0]->points, {{1, 1, 0}});

  // A second curve, then a command that replaces the tool: each Undo takes back one curve,
  // the later first.
  DoCurveSimple();
  Click({2, 2, 0});
  Click({4, 2, 0});
  DoCurveSimple();
  EXPECT_EQ(SceneCurves(-1).size(), 2u);
  UndoCommand();
  ASSERT_EQ(SceneCurves(1).size(), 1u);
  EXPECT_EQ(SceneCurves(1)[0]->PointCount(), 1);
  UndoCommand();
  EXPECT_TRUE(SceneCurves(1).empty());
  // A tool left without points adds nothing.
  ResetToPickTool();
  EXPECT_TRUE(SceneCurves(1).empty());
}

TEST_F(CurveToolTest, AdjustRebuildsACurveFromItsFirstPointsAndUndoBringsTheSourceBack) {
  const struct {
    const char* name;
    std::function<void()> adjust;
    int count;
    std::ptrdiff_t kept;  // the free points taken from the source
    std::size_t rebuilt;
  } cases[] = {
      {"cycle on 10 points", &DoAdjustCycle, 10, 3, 12},
      {"simple on 300 points", &DoAdjustSimple, 300, 300, 300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    Points points;
    for (int i = 0; i < c.count; ++i) points.push_back({static_cast<float>(i % 7), static_cast<float>(i % 5), 0});
    auto source = std::make_unique<CCurveObject>();
    source->SetPoints(c.count, points);
    source->ObjectState = 0;
    CCurveObject* added = AddObject(source, 0);
    ASSERT_NE(added, nullptr);
    added->ObjectState = 0;
    c.adjust();
    Click(points[0]);
    EXPECT_EQ(added->ObjectState, -1);
    const Points rebuilt = CurvePoints();
    EXPECT_EQ(rebuilt.size(), c.rebuilt);
    ExpectPoints(Points(rebuilt.begin(), rebuilt.begin() + c.kept), Points(points.begin(), points.begin() + c.kept));
    ResetToPickTool();
    EXPECT_EQ(SceneCurves(1).size(), 1u);
    UndoCommand();
    EXPECT_EQ(added->ObjectState, 0);
    EXPECT_TRUE(SceneCurves(1).empty());
  }
}

// A new document while a curve is drawn, and the document's end, under the address checks: the
// new document has no tool drawing, no curve of the old one and nothing to undo, and a click in it
// draws nothing.
TEST_F(CurveToolTest, ANewDocumentWhileDrawingLeavesNothingDangling) {
  DoCurveSimple();
  Click({1, 1, 0});
  Click({2, 3, 0});
  NewScene(&document);
  EXPECT_FALSE(CurveToolActive());
  EXPECT_TRUE(SceneCurves(-1).empty());
  Click({4, 4, 0});
  EXPECT_FALSE(CurveToolActive());
  EXPECT_TRUE(CurvePoints().empty());
  ResetToPickTool();
  EXPECT_TRUE(SceneCurves(-1).empty());
  EXPECT_EQ(UndoOpenStep(), 0);
  SetActiveView(nullptr);
  ResetScene();
}

}  // namespace

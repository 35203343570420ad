#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kernel/point_set_object.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/render_view.h"
#include "scene/tool_framework.h"
#include "scene/transform_apply.h"
#include "scene/transform_tools.h"
#include "scene_fixture.h"

namespace {

// A front view of ten pixels per unit with one selected point at (2, 1, 0).
class TransformToolTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ShowTenPixelsPerUnit(view);
    auto object = std::make_unique<CPointSetObject>(1, std::vector<Vector3>{{2, 1, 0}});
    point = AddObject(object, 0);
    point->ObjectState = kStateSelected;
    document.Clear();
  }

  Vector3 At() const { return point->points[0]; }

  int UndoSteps() {
    int steps = 0;
    for (const auto& step : document.ring) steps += step.empty() ? 0 : 1;
    return steps;
  }

  // A left (or right) drag through the model x positions on the line y = 0.
  void Drag(int button, const std::vector<float>& xs, bool release = true) {
    const auto pixel = [](float x) { return static_cast<int>(100 + 10 * x); };
    if (button == kMouseLeftButton) {
      view.OnLButtonDown(button, pixel(xs[0]), 100);
    } else {
      view.OnRButtonDown(button, pixel(xs[0]), 100);
    }
    for (std::size_t i = 1; i < xs.size(); ++i) view.OnMouseMove(button, pixel(xs[i]), 100);
    if (!release) return;
    if (button == kMouseLeftButton) {
      view.OnLButtonUp(0, pixel(xs.back()), 100);
    } else {
      view.OnRButtonUp(0, pixel(xs.back()), 100);
    }
  }

  CPointSetObject* point = nullptr;
};

void ExpectAt(Vector3 actual, Vector3 expected) {
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.z, expected.z);
}

TEST_F(TransformToolTest, MoveDragIsOneUndoStepWithItsPrompt) {
  StartTransformTool(1, TransformReference);
  EXPECT_EQ(Headless().statusTexts.back(), "<World Origin> Moving");
  EXPECT_EQ(GetCurrentToolCursorId(), kMovingCommand);

  Drag(kMouseLeftButton, {0, 1, 2, 3}, false);
  ExpectAt(At(), {5, 1, 0});
  EXPECT_EQ(Headless().statusTexts.back(),
            "<World Origin> Moving...   X 3   Y 0   Z 0    <--    X 3   Y 0   Z 0");
  EXPECT_EQ(DragRedrawFlag, 1);

  // Back to the start within the same drag: nothing moved, still one step.
  view.OnMouseMove(kMouseLeftButton, 100, 100);
  view.OnLButtonUp(0, 100, 100);
  ExpectAt(At(), {2, 1, 0});
  EXPECT_EQ(UndoSteps(), 1);
  EXPECT_EQ(DragRedrawFlag, 0);

  // Totals run on over drags.
  Drag(kMouseLeftButton, {0, 2});
  Drag(kMouseLeftButton, {0, 1});
  ExpectAt(At(), {5, 1, 0});
  EXPECT_EQ(Headless().statusTexts.back(),
            "<World Origin> Moving...   X 3   Y 0   Z 0    <--    X 1   Y 0   Z 0");
  EXPECT_EQ(UndoSteps(), 3);

  // After an undo a new drag restarts the totals.
  GetTool(0)->Undo();
  ExpectAt(At(), {4, 1, 0});
  Drag(kMouseLeftButton, {0, 2});
  EXPECT_EQ(Headless().statusTexts.back(),
            "<World Origin> Moving...   X 2   Y 0   Z 0    <--    X 2   Y 0   Z 0");
}

TEST_F(TransformToolTest, UndoDuringADragEndsItAndTakesBackOnlyThatDrag) {
  StartTransformTool(1, 0);
  Drag(kMouseLeftButton, {0, 2});
  Drag(kMouseLeftButton, {0, 3}, false);
  ExpectAt(At(), {7, 1, 0});

  GetTool(0)->Undo();
  ExpectAt(At(), {4, 1, 0});
  EXPECT_EQ(DragRedrawFlag, 0);
  // Later moves of the held button reach an idle tool.
  view.OnMouseMove(kMouseLeftButton, 150, 100);
  ExpectAt(At(), {4, 1, 0});
  view.OnLButtonUp(0, 150, 100);

  GetTool(0)->Redo();
  ExpectAt(At(), {7, 1, 0});
  GetTool(0)->Undo();
  GetTool(0)->Undo();
  ExpectAt(At(), {2, 1, 0});
}

TEST_F(TransformToolTest, SizingScalesByTheRatioOfDistancesFromTheOrigin) {
  struct Case {
    int type;
    int button;
    Vector3 expected;
    const char* prompt;
  };
  const Case cases[] = {
      {2, kMouseLeftButton, {3, 1.5f, 0},
       "<World Origin> Sizing...   X 1.5   Y 1.5   Z 1.5    <--    X 1.5   Y 1.5   Z 1.5"},
      {2, kMouseRightButton, {3, 1, 0},
       "<World Origin> Sizing...   X 1.5   Y 1   Z 1    <--    X 1.5   Y 1   Z 1"},
      {5, kMouseRightButton, {3, 1, 0}, nullptr},
  };
  for (const Case& c : cases) {
    point->points[0] = {2, 1, 0};
    StartTransformTool(c.type, 0);
    Drag(c.button, {2, 3});
    ExpectAt(At(), c.expected);
    if (c.prompt != nullptr) {
      EXPECT_EQ(Headless().statusTexts.back(), c.prompt);
    }
  }
  // Nothing happens while the start is within a grid unit of the origin.
  point->points[0] = {2, 1, 0};
  StartTransformTool(2, 0);
  Drag(kMouseLeftButton, {0, 1});
  ExpectAt(At(), {2, 1, 0});
}

TEST_F(TransformToolTest, FlipAndRollPromptsAndTurns) {
  // Flip: a left drag of 2 units along x turns 1 degree about y; -0 is printed as it comes.
  StartTransformTool(3, 0);
  EXPECT_EQ(Headless().statusTexts.back(), "<World Origin> Flipping");
  Drag(kMouseLeftButton, {0, 2});
  EXPECT_EQ(Headless().statusTexts.back(), "<World Origin> Flipping...   Y   1    <--    1");
  // The right drag shows both angles.
  Drag(kMouseRightButton, {0, 4});
  EXPECT_EQ(Headless().statusTexts.back(), "<World Origin> Flipping...   Y  2   X  -0");

  // Roll: 180 grid units along x from a start above the centre turn about z.
  point->points[0] = {2, 0, 0};
  StartTransformTool(4, 2);
  EXPECT_EQ(Headless().statusTexts.back(), "<Object Axis> Rolling");
  view.OnLButtonDown(kMouseLeftButton, 100, 90);
  view.OnMouseMove(kMouseLeftButton, 120, 90);
  view.OnLButtonUp(0, 120, 90);
  EXPECT_EQ(Headless().statusTexts.back(), "<Object Axis> Rolling...   Z   -1    <--    -1");
}

TEST_F(TransformToolTest, ReferenceTogglesAndTheToolFollows) {
  ToggleTransformReference();
  EXPECT_EQ(TransformReference, 2);
  EXPECT_EQ(TransformToolActive, 0);
  StartTransformTool(1, 1);
  EXPECT_EQ(Headless().statusTexts.back(), "<Object Origin> Moving");
  ToggleTransformReference();
  auto* tool = dynamic_cast<CTransformTool*>(GetTool(1));
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(tool->reference, kReferenceWorldOrigin);
  ToggleTransformReference();
  EXPECT_EQ(tool->reference, kReferenceObjectAxis);

  // A tool replaced in mid-drag leaves no drag-quality redraws behind.
  Drag(kMouseLeftButton, {0, 1}, false);
  EXPECT_EQ(DragRedrawFlag, 1);
  ResetToPickTool();
  EXPECT_EQ(DragRedrawFlag, 0);
  // The flag of the retired tool does not retarget the pick tool.
  ToggleTransformReference();
  EXPECT_EQ(TransformReference, 0);
}

TEST_F(TransformToolTest, StartWithoutAnActiveViewMakesNoTool) {
  SetActiveView(nullptr);
  StartTransformTool(1, 0);
  EXPECT_EQ(TransformToolActive, 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene/view_commands.h"
#include "scene/view_type_change.h"
#include "scene_fixture.h"

namespace {

// A pane that counts its full redraws: each ends by saving the window image.
class CountingViewport : public CViewport {
 public:
  void SaveWindowImage() override { ++redraws; }
  int redraws = 0;
};

class ViewCommandsTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    ResetCamera(&view, kView3D);
  }
  CountingViewport view;
};

TEST_F(ViewCommandsTest, StepsGrowWithTheMultiplierUpToTheirCaps) {
  RepeatMultiplier = 1000;
  StepZoom(&view, 1);
  EXPECT_NEAR(view.zoomScale, std::pow(1.01, 16), 1e-5);
  StepZoom(&view, -1);
  EXPECT_NEAR(view.zoomScale, 1.0f, 1e-6f);

  RepeatMultiplier = 6.9f;  // six steps of half a degree
  StepRotate(&view, 1, 0);
  const float turned = std::atan2(view.viewMatrix.at(2, 2), view.viewMatrix.at(2, 1));
  EXPECT_NEAR(turned * 180 / std::numbers::pi_v<float>, 3.0f, 1e-4f);
  RepeatMultiplier = 1000;  // capped at ten steps
  ResetCamera(&view, kViewTop);
  StepRotate(&view, -1, 2);
  EXPECT_NEAR(std::atan2(view.viewMatrix.at(0, 1), view.viewMatrix.at(0, 0)), -10 * kRollStep, 1e-6f);
  EXPECT_EQ(view.redraws, 4);
}

TEST_F(ViewCommandsTest, PanMovesByTheStepOnScreen) {
  RepeatMultiplier = 2;
  view.zoomScale = 4;
  const struct {
    int direction;
    float dx, dy;
  } cases[] = {{kPanUp, 0, 0.2f}, {kPanDown, 0, -0.2f}, {kPanLeft, -0.2f, 0}, {kPanRight, 0.2f, 0}};
  for (const auto& c : cases) {
    const Matrix4 before = view.viewMatrix;
    PanView(&view, c.direction);
    EXPECT_FLOAT_EQ(view.viewMatrix[12] - before[12], c.dx / 4) << c.direction;
    EXPECT_FLOAT_EQ(view.viewMatrix[13] - before[13], c.dy / 4) << c.direction;
  }
  EXPECT_EQ(view.redraws, 4);
}

TEST_F(ViewCommandsTest, ZoomOneToOneTakesTheCalibratedScaleAndItsGrid) {
  OneToOneZoom = 0.02f;
  view.zoomScale = 7;
  ZoomOneToOne(&view);
  EXPECT_EQ(view.zoomScale, 0.02f);
  EXPECT_EQ(view.gridUnit, NiceGridStep(0.02f));
  EXPECT_EQ(view.redraws, 1);
}

TEST_F(ViewCommandsTest, DisplayModeRedrawsOnlyOnChange) {
  EXPECT_EQ(SetDisplayMode(&view, kDisplayFastShading), 1);
  EXPECT_EQ(SetDisplayMode(&view, kDisplayFastShading), 0);
  EXPECT_EQ(view.displayMode, kDisplayFastShading);
  EXPECT_EQ(view.redraws, 1);
}

TEST_F(ViewCommandsTest, ResetGivesTheTypesAxesAtZoomOne) {
  view.Rotate(0.4f, 1);
  view.Translate(1, 2, 3);
  view.Zoom(3);
  ResetCamera(&view, kView3D);
  CViewport front;
  front.SetAxes(0, 2, 1, 1, 1, -1);
  EXPECT_EQ(view.viewMatrix, front.viewMatrix);
  EXPECT_EQ(view.zoomScale, 1.0f);
  EXPECT_EQ(view.gridUnit, 0.5f);
  EXPECT_EQ(view.redraws, 0);

  view.Translate(1, 2, 3);
  view.Zoom(3);
  const Matrix4 moved = view.viewMatrix;
  ResetCamera(&view, 7);
  EXPECT_EQ(view.viewMatrix, moved);
  EXPECT_EQ(view.zoomScale, 1.0f);
}

}  // namespace

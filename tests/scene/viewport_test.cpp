#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "logging_tool.h"
#include "program_state.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/tool.h"
#include "scene/viewport.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

using Log = ToolLog;

// A pane that notes when it keeps and puts back its window image.
class TestViewport : public CViewport {
 public:
  explicit TestViewport(Log* log) : log_(log) { SetSize(200, 100); }
  void SaveWindowImage() override { log_->push_back("save"); }
  void RestoreWindowImage() override { log_->push_back("restore"); }
  int IsVisible() override { return visible; }
  int visible = 1;

 private:
  Log* log_;
};

class ViewportTest : public LumidrexTest {
 protected:
  void InstallDefaultTool() { TheScene.defaultTool = std::make_unique<LoggingTool>("default", &log); }
  void InstallSecondaryTool() {
    secondary = std::make_unique<LoggingTool>("secondary", &log);
    TheScene.secondaryTool = secondary.get();
  }
  Log Take() {
    Log taken;
    taken.swap(log);
    return taken;
  }
  Log log;
  TestViewport pane{&log};
  std::unique_ptr<LoggingTool> secondary;
};

TEST_F(ViewportTest, NiceGridStep) {
  struct Case {
    float zoom;
    float step;
  };
  const Case cases[] = {{0, 0},       {0.01f, 10},  {1, 0.5f},     {0.2f, 1},        {0.04f, 5},
                        {0.02f, 10},  {10, 0.05f},  {500, 0.001f}, {1e-30f, 10},     {-1, 0},
                        {kNaN, 0},    {kInfinity, 0.001f},         {1.5e-45f, 10}};
  for (const Case& c : cases) EXPECT_FLOAT_EQ(NiceGridStep(c.zoom), c.step) << c.zoom;
}

TEST_F(ViewportTest, ZoomKeepsItsLimitsAndItsGridUnit) {
  struct Case {
    float zoom;
    float factor;
    float result;
  };
  const Case cases[] = {
      {0.0009f, 0.9f, 0.0009f},            // below the lower limit, zooming out: refused
      {0.0009f, 1.1f, 0.0009f * 1.1f},     // zooming back in: applied
      {1001, 1.1f, 1001},                  // above the upper limit, zooming in: refused
      {1001, 0.5f, 500.5f},                //
      {999, 1.1f, 999 * 1.1f},             // the limit holds before the step
      {2, 0, 2},        {2, -3, 2},       {2, kNaN, 2},    {2, kInfinity, 2},
      {999, 1e38f, 999},                   // the product would be infinite
      {0.002f, 1e-45f, 0.002f},            // the product would be 0
  };
  for (const Case& c : cases) {
    pane.zoomScale = c.zoom;
    pane.Zoom(c.factor);
    EXPECT_FLOAT_EQ(pane.zoomScale, c.result) << c.zoom << " x " << c.factor;
    EXPECT_GT(pane.zoomScale, 0.0f);
  }
  // A factor of 1 always passes and recomputes the grid unit.
  pane.zoomScale = 5000;
  pane.gridUnit = 7;
  pane.Zoom(1);
  EXPECT_EQ(pane.zoomScale, 5000.0f);
  EXPECT_FLOAT_EQ(pane.gridUnit, 0.001f);
  pane.Zoom(0.1f);
  EXPECT_FLOAT_EQ(pane.gridUnit, NiceGridStep(500));
}

TEST_F(ViewportTest, CameraSteps) {
  // Fixed axes: screen x shows -y, screen y shows z, depth shows x; the translation is cleared.
  pane.viewMatrix[12] = 5;
  pane.SetAxes(1, 2, 0, -1, 1, 1);
  Matrix4 expected;
  expected.at(1, 0) = -1;
  expected.at(2, 1) = 1;
  expected.at(0, 2) = 1;
  EXPECT_EQ(pane.viewMatrix, expected);

  // Translation is a screen distance: divided by the zoom.
  pane.zoomScale = 4;
  pane.Translate(1, 2, 3);
  EXPECT_EQ(TransformPoint({0, 0, 0}, pane.viewMatrix), Vector3(0.25f, 0.5f, 0.75f));

  // Turning multiplies after the view matrix, so the translation row turns too; Rotate takes
  // radians before the axis, RotateAboutAxis the axis before degrees.
  pane.viewMatrix = kIdentityMatrix;
  pane.viewMatrix[12] = 1, pane.viewMatrix[13] = 2, pane.viewMatrix[14] = 3;
  CViewport other;
  other.viewMatrix = pane.viewMatrix;
  pane.Rotate(static_cast<float>(std::numbers::pi / 2), 2);
  other.RotateAboutAxis(2, 90.0);
  const Vector3 turned = TransformPoint({1, 0, 0}, pane.viewMatrix);
  EXPECT_NEAR(turned.x, -2, 1e-6f);
  EXPECT_NEAR(turned.y, 2, 1e-6f);
  EXPECT_NEAR(turned.z, 3, 1e-6f);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(pane.viewMatrix[i], other.viewMatrix[i], 1e-6f) << i;
  const Matrix4 before = pane.viewMatrix;
  pane.Rotate(1.0f, 3);  // no such axis
  EXPECT_EQ(pane.viewMatrix, before);
}

TEST_F(ViewportTest, ZoomToScreenBox) {
  pane.SetAxes(0, 1, 2, 1, 1, 1);
  pane.ApplyProjection();
  // A box 2.5 times smaller than the pane, centred on it.
  ZoomToScreenBox(&pane, 100, 50, 40, 20);
  EXPECT_FLOAT_EQ(pane.zoomScale, 2.5f);
  // A box wider than the pane (the mouse is captured) zooms out, never to 0.
  pane.ApplyProjection();
  ZoomToScreenBox(&pane, 100, 50, 150, 75);
  EXPECT_FLOAT_EQ(pane.zoomScale, 2.5f * 100.0f / 150.0f);
  // The model point under an off-centre box's centre comes to the pane's centre.
  pane.ApplyProjection();
  Vector3 under(0, 0, 0);
  UnprojectToPlane(2, 60, 30, &under);
  ZoomToScreenBox(&pane, 60, 30, 50, 25);
  pane.ApplyProjection();
  const Vector3 screen = TransformPoint(under, GetViewTransform());
  EXPECT_NEAR(screen.x, 100, 1.5f);
  EXPECT_NEAR(screen.y, 50, 1.5f);
  // A box of no width is refused by the zoom.
  const float zoom = pane.zoomScale;
  ZoomToScreenBox(&pane, 100, 50, 0, 0);
  EXPECT_EQ(pane.zoomScale, zoom);
}

TEST_F(ViewportTest, ZoomToExtents) {
  pane.SetAxes(0, 1, 2, 1, 1, 1);
  struct Case {
    const char* name;
    Vector3 min, max;
    float zoom;
    Vector3 translation;
  };
  const Case cases[] = {
      {"box", {0, 0, 0}, {20, 10, 4}, 2.5f, {-10, -5, -2}},
      {"point", {1, 1, 1}, {1, 1, 1}, 1, {-1, -1, -1}},
      {"empty", {1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f}, 1, {0, 0, 0}},
      {"not finite", {kNaN, 0, 0}, {1, kInfinity, 1}, 1, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    pane.zoomScale = 7;
    ZoomToExtents(&pane, c.min, c.max);
    EXPECT_FLOAT_EQ(pane.zoomScale, c.zoom) << c.name;
    EXPECT_FLOAT_EQ(pane.gridUnit, NiceGridStep(c.zoom)) << c.name;
    EXPECT_EQ(TransformPoint({0, 0, 0}, pane.viewMatrix), c.translation) << c.name;
  }
}

TEST_F(ViewportTest, DirtyRectangle) {
  pane.AddDirtyRect(300, 300, 400, 400);  // outside: the flag is set, the rectangle empty
  EXPECT_EQ(pane.dirtyFlag, 1);
  EXPECT_EQ((std::vector<int>{pane.dirtyLeft, pane.dirtyTop, pane.dirtyRight, pane.dirtyBottom}),
            (std::vector<int>{0, 0, 0, 0}));
  pane.AddDirtyRect(10, 10, 20, 20);  // replaces the empty one
  pane.AddDirtyRect(5, 15, 12, 300);  // grows to the union, unclipped
  pane.AddDirtyRect(500, 0, 600, 10);
  EXPECT_EQ((std::vector<int>{pane.dirtyLeft, pane.dirtyTop, pane.dirtyRight, pane.dirtyBottom}),
            (std::vector<int>{5, 10, 20, 300}));

  // The projection clips it to the pane, only while the flag is set.
  pane.ApplyProjection();
  EXPECT_EQ(pane.dirtyBottom, 100);
  pane.dirtyFlag = 0;
  pane.dirtyBottom = 300;
  pane.ApplyProjection();
  EXPECT_EQ(pane.dirtyBottom, 300);
}

TEST_F(ViewportTest, ProjectionShowsTheExtentAroundTheCentre) {
  pane.SetAxes(0, 1, 2, 1, 1, 1);
  pane.zoomScale = 2;
  pane.ApplyProjection();
  // s = (100 - 1) / 2 x 2 / 25; model y up is screen y down.
  const float s = 49.5f * 2.0f / 25.0f;
  const Vector3 p = TransformPoint({1, 1, 0}, GetViewTransform());
  EXPECT_FLOAT_EQ(p.x, 99.5f + s);
  EXPECT_FLOAT_EQ(p.y, 49.5f - s);
}

TEST_F(ViewportTest, RefreshErasesAndDrawsTheDefaultToolsFeedback) {
  InstallDefaultTool();
  pane.buttonBits = 1;
  EXPECT_EQ(pane.Refresh(0), 0);
  EXPECT_EQ(Take(), (Log{"restore"}));
  EXPECT_EQ(pane.Refresh(0), 0);
  EXPECT_EQ(Take(), (Log{"default feedback bits 1 colour FF0000"}));
  EXPECT_EQ(pane.Refresh(2), 2);
  EXPECT_EQ(Take(), (Log{"save", "default feedback bits 1 colour FF0000"}));
  // -2 erases and leaves the state at 0.
  EXPECT_EQ(pane.Refresh(-2), -2);
  EXPECT_EQ(Take(), (Log{"restore"}));
  EXPECT_EQ(pane.feedbackState, 0);
}

TEST_F(ViewportTest, ASecondaryToolDrawsFirstAndTheDefaultToolGetsNoButtons) {
  InstallDefaultTool();
  InstallSecondaryTool();
  pane.buttonBits = 2;
  pane.Refresh(1);
  EXPECT_EQ(Take(), (Log{"secondary feedback bits 2 colour 880000", "default feedback bits 0 colour FF0000"}));
  // An erase still draws the default tool's marks.
  pane.Refresh(0);
  EXPECT_EQ(Take(), (Log{"restore", "default feedback bits 0 colour FF0000"}));
}

TEST_F(ViewportTest, RefreshCases) {
  InstallDefaultTool();
  CViewport other;
  SetActiveView(&other);
  // A negative state makes any drawing refresh save first.
  pane.feedbackState = -1;
  pane.Refresh(1);
  EXPECT_EQ(Take(), (Log{"save", "default feedback bits 0 colour FF0000"}));
  EXPECT_EQ(GetActiveView(), &other);  // the previous pane is active again

  // An invisible pane touches nothing.
  pane.visible = 0;
  pane.feedbackState = -1;
  EXPECT_EQ(pane.Refresh(2), 0);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(pane.feedbackState, -1);

  // Without tools nothing is restored or drawn, but mode 2 still keeps the image.
  pane.visible = 1;
  TheScene.defaultTool.reset();
  pane.feedbackState = 0;
  pane.Refresh(0);
  pane.Refresh(2);
  EXPECT_EQ(Take(), (Log{"save"}));
}

TEST_F(ViewportTest, RedrawViewEndsWithAFreshImage) {
  InstallDefaultTool();
  CViewport other;
  SetActiveView(&other);
  pane.AddDirtyRect(0, 0, 10, 10);
  RedrawView(&pane);
  EXPECT_EQ(Take(), (Log{"save", "default feedback bits 0 colour FF0000"}));
  EXPECT_EQ(pane.dirtyFlag, 0);
  EXPECT_EQ(GetActiveView(), &other);
}

TEST_F(ViewportTest, MouseReachesTheCurrentToolWithThePanesButtons) {
  InstallDefaultTool();
  pane.OnLButtonDown(1, 3, 4);
  pane.OnLButtonDown(1, 3, 4);  // a repeated down is not passed on
  pane.OnMouseMove(kMouseShift, 5, 6);
  pane.OnRButtonDown(3, 5, 6);
  pane.OnMouseMove(0, 7, 8);
  pane.OnLButtonUp(2, 7, 8);
  pane.OnRButtonUp(0, 7, 8);
  EXPECT_EQ(Take(), (Log{"default ldown flags 1 at 3,4 bits 1", "default move flags 5 at 5,6 bits 1",
                         "default rdown flags 3 at 5,6 bits 3", "default move flags 3 at 7,8 bits 3",
                         "default lup flags 2 at 7,8 bits 2", "default rup flags 0 at 7,8 bits 0"}));

  // An up this pane never saw go down sets the bit, and swallows the next down.
  pane.OnLButtonUp(0, 1, 1);
  pane.OnLButtonDown(1, 1, 1);
  EXPECT_EQ(Take(), (Log{"default lup flags 0 at 1,1 bits 1"}));
  EXPECT_EQ(pane.buttonBits, 1);

  // A double-click makes the pane active; the secondary tool takes precedence.
  InstallSecondaryTool();
  pane.OnRButtonDblClk(2, 9, 9);
  EXPECT_EQ(GetActiveView(), &pane);
  EXPECT_EQ(Take(), (Log{"secondary rdbl flags 2 at 9,9 bits 1"}));

  // With no tool at all the pane still keeps its buttons.
  TheScene.secondaryTool = nullptr;
  TheScene.defaultTool.reset();
  pane.OnLButtonUp(0, 0, 0);
  EXPECT_EQ(pane.buttonBits, 0);
}

}  // namespace

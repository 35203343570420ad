#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "kernel/axis_line_object.h"
#include "scene/drawing_context.h"
#include "scene/scene_views.h"
#include "scene_fixture.h"

namespace {

// A pane that counts what the scene asks of it; its visibility check marks the start of each
// refresh.
class RecordingViewport : public CViewport {
 public:
  void InvalidateViewportRect() override { ++invalidations; }
  void SaveWindowImage() override { ++savedImages; }
  int IsVisible() override {
    refreshed->push_back(this);
    return 1;
  }
  int invalidations = 0;
  int savedImages = 0;
  std::vector<const CViewport*>* refreshed = nullptr;
};

// An object whose bounds are a given box.
class BoxObject : public CGeomObject {
 public:
  BoxObject(Vector3 low, Vector3 high) : low_(low), high_(high) {}
  void GetBounds(Vector3* min, Vector3* max, Matrix4) const override {
    *min = low_;
    *max = high_;
  }

 private:
  Vector3 low_, high_;
};

// Three panes of 201 x 101 pixels, one model unit a pixel: screen x = model x + 100 + the pane's
// shift, screen y = 50 - model y. The middle one is active.
class SceneViewsTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    const int modes[] = {kDisplayNormalWire, kDisplayMeshWire, kDisplayFastShading};
    for (int i = 0; i < 3; ++i) {
      RecordingViewport& pane = panes[i];
      pane.documentHistory = &document;
      pane.refreshed = &refreshed;
      pane.SetSize(201, 101);
      pane.viewExtent = 50;
      pane.SetAxes(0, 1, 2, 1, 1, 1);
      pane.viewMatrix[12] = 10.0f * static_cast<float>(i);
      pane.displayMode = modes[i];
    }
    document.views = {&panes[0], &panes[1], &panes[2]};
    SetActiveView(&panes[1]);
  }
  RecordingViewport panes[3];
  std::vector<const CViewport*> refreshed;
};

TEST_F(SceneViewsTest, RedrawInvalidatesEveryViewOnceAndReappliesTheActiveProjection) {
  SetModelMatrix(kIdentityMatrix);
  RedrawAllViews();
  for (const RecordingViewport& pane : panes) EXPECT_EQ(pane.invalidations, 1);
  EXPECT_EQ(GetActiveView(), &panes[1]);
  EXPECT_EQ(GetModelMatrix(), panes[1].viewMatrix);

  SetActiveView(nullptr);
  RedrawAllViews();
  for (const RecordingViewport& pane : panes) EXPECT_EQ(pane.invalidations, 1);
}

TEST_F(SceneViewsTest, RefreshReachesTheActiveViewLastWithTheModeUnchanged) {
  EXPECT_EQ(RefreshAllViews(1), 1);
  EXPECT_EQ(refreshed, (std::vector<const CViewport*>{&panes[0], &panes[2], &panes[1]}));
  // Only mode 2 keeps the window image anew.
  for (const RecordingViewport& pane : panes) EXPECT_EQ(pane.savedImages, 0);
  EXPECT_EQ(RefreshAllViews(2), 2);
  for (const RecordingViewport& pane : panes) EXPECT_EQ(pane.savedImages, 1);
  EXPECT_EQ(GetActiveView(), &panes[1]);
  EXPECT_EQ(GetModelMatrix(), panes[1].viewMatrix);

  refreshed.clear();
  SetActiveView(nullptr);
  EXPECT_EQ(RefreshAllViews(2), 0);
  EXPECT_TRUE(refreshed.empty());
}

TEST_F(SceneViewsTest, InvalidatedBoxIsWidenedByEachViewsModeAndTheActiveViewReturns) {
  InvalidateBoxInViews(1.5f, 2.5f, 0, 3.2f, 4.4f, 1);
  // Screen x 101.5 .. 103.2 plus the shift, y 45.6 .. 47.5: rounded outward, then widened.
  const int expected[3][4] = {{91, -5, 154, 58}, {109, 43, 116, 50}, {111, -5, 174, 58}};
  for (int i = 0; i < 3; ++i) {
    const CViewport& pane = panes[i];
    EXPECT_EQ(pane.dirtyFlag, 1) << i;
    EXPECT_EQ((std::vector<int>{pane.dirtyLeft, pane.dirtyTop, pane.dirtyRight, pane.dirtyBottom}),
              (std::vector<int>(expected[i], expected[i] + 4)))
        << i;
  }
  EXPECT_EQ(GetActiveView(), &panes[1]);
  EXPECT_EQ(GetModelMatrix(), panes[1].viewMatrix);
}

TEST_F(SceneViewsTest, FarOrNonFiniteBoxesInvalidateWithoutOverflow) {
  constexpr int kLimit = 1 << 30;
  InvalidateBoxInViews(-1e20f, -1e20f, 0, 1e20f, 1e20f, 0);
  EXPECT_EQ(panes[0].dirtyLeft, -kLimit - 10);
  EXPECT_EQ(panes[0].dirtyRight, kLimit + 50);
  EXPECT_EQ(panes[0].dirtyBottom, kLimit + 10);

  for (CViewport& pane : panes) pane.dirtyFlag = 0;
  InvalidateBoxInViews(0, 0, 0, INFINITY, 1, 1);
  for (const CViewport& pane : panes) {
    EXPECT_EQ((std::vector<int>{pane.dirtyLeft, pane.dirtyTop, pane.dirtyRight, pane.dirtyBottom}),
              (std::vector<int>{0, 0, 201, 101}));
  }
}

TEST_F(SceneViewsTest, ObjectInViewKeepsTheModesMargins) {
  struct Case {
    int mode;
    Vector3 low, high;
    int inView;
  };
  // The pane spans screen x 0 .. 201 and y 0 .. 101 (y downward); under screen-space drawing
  // model units are pixels. Each pair of boxes straddles one edge's margin.
  const Case cases[] = {
      {kDisplayNormalWire, {211, 40, 0}, {215, 45, 0}, 0},  // 10 past the right edge
      {kDisplayNormalWire, {210, 40, 0}, {215, 45, 0}, 1},
      {kDisplayNormalWire, {50, 151, 0}, {55, 160, 0}, 0},  // 50 past the bottom
      {kDisplayNormalWire, {50, 150, 0}, {55, 160, 0}, 1},
      {kDisplayNormalWire, {-60, 40, 0}, {-50, 45, 0}, 0},  // 50 past the left edge
      {kDisplayNormalWire, {-60, 40, 0}, {-49, 45, 0}, 1},
      {kDisplayNormalWire, {50, -20, 0}, {55, -10, 0}, 0},  // 10 past the top
      {kDisplayNormalWire, {50, -20, 0}, {55, -9, 0}, 1},
      {kDisplayMeshWire, {203, 40, 0}, {215, 45, 0}, 0},  // 2 past every edge
      {kDisplayMeshWire, {202, 40, 0}, {215, 45, 0}, 1},
      {kDisplayMeshWire, {50, 103, 0}, {55, 160, 0}, 0},
      {kDisplayMeshWire, {50, 102, 0}, {55, 160, 0}, 1},
      {kDisplayMeshWire, {-60, 40, 0}, {-2, 45, 0}, 0},
      {kDisplayMeshWire, {-60, 40, 0}, {-1, 45, 0}, 1},
      {kDisplayMeshWire, {50, -20, 0}, {55, -2, 0}, 0},
      {kDisplayMeshWire, {50, -20, 0}, {55, -1, 0}, 1},
  };
  const ScreenSpaceDrawing pixels;
  for (const Case& c : cases) {
    panes[1].displayMode = c.mode;
    const BoxObject box(c.low, c.high);
    EXPECT_EQ(IsObjectInView(&box), c.inView) << c.mode << " at " << c.low.x << ", " << c.low.y;
  }

  // A dirty rectangle in force is the area tested; axis lines are always in view.
  panes[1].displayMode = kDisplayMeshWire;
  panes[1].dirtyFlag = 1;
  panes[1].dirtyLeft = 50, panes[1].dirtyTop = 20, panes[1].dirtyRight = 60, panes[1].dirtyBottom = 30;
  const BoxObject pastTheRight({62, 25, 0}, {70, 26, 0});
  const BoxObject withinTheMargin({61, 25, 0}, {70, 26, 0});
  EXPECT_EQ(IsObjectInView(&pastTheRight), 0);
  EXPECT_EQ(IsObjectInView(&withinTheMargin), 1);
  const CAxisLineObject line;
  EXPECT_EQ(IsObjectInView(&line), 1);
}

TEST_F(SceneViewsTest, QueriesReadTheActivePaneOrAFreshOne) {
  panes[1].zoomScale = 4;
  panes[1].viewMatrix[12] = 3;
  EXPECT_EQ(ScaleOfActiveView(), 4);
  EXPECT_EQ(GetActiveViewMatrix()[12], 3);
  SetActiveView(nullptr);
  EXPECT_EQ(ScaleOfActiveView(), 1);
  EXPECT_EQ(GetActiveViewMatrix(), Matrix4());
}

}  // namespace

#include <gtest/gtest.h>

#include "scene_fixture.h"
#include "scene/scene_views.h"

namespace {

// A pane that counts what the scene asks of it.
class RecordingViewport : public CViewport {
 public:
  void InvalidateViewportRect() override { ++invalidations; }
  int invalidations = 0;
};

class SceneViewsTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    for (RecordingViewport& pane : panes) pane.documentHistory = &document;
    document.views = {&panes[0], &panes[1], &panes[2]};
    SetActiveView(&panes[1]);
  }
  RecordingViewport panes[3];
};

TEST_F(SceneViewsTest, RedrawInvalidatesEveryViewOnce) {
  RedrawAllViews();
  for (const RecordingViewport& pane : panes) EXPECT_EQ(pane.invalidations, 1);
  EXPECT_EQ(GetActiveView(), &panes[1]);

  SetActiveView(nullptr);
  RedrawAllViews();
  for (const RecordingViewport& pane : panes) EXPECT_EQ(pane.invalidations, 1);
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

#include <gtest/gtest.h>

#include <memory>

#include "scene_fixture.h"
#include "scene/tool.h"

namespace {

class CountingTool : public CTool {
 public:
  explicit CountingTool(int cursor = 0) : cursor_(cursor) {}
  int GetCursorId() const override { return cursor_; }
  void OnLButtonDblClk(int flags, int x, int y) override {
    ++doubleClicks;
    lastFlags = flags;
    lastX = x;
    lastY = y;
  }
  int doubleClicks = 0, lastFlags = 0, lastX = 0, lastY = 0;

 private:
  int cursor_;
};

using ToolSlotTest = SceneTest;

TEST_F(ToolSlotTest, CurrentToolIsSecondaryThenOverlayThenDefault) {
  EXPECT_EQ(GetTool(0), nullptr);
  TheScene.defaultTool = std::make_unique<CountingTool>(1);
  CTool* defaultTool = TheScene.defaultTool.get();
  EXPECT_EQ(GetTool(0), defaultTool);
  EXPECT_EQ(GetTool(2), nullptr);

  TheScene.overlayTool = std::make_unique<CountingTool>(2);
  EXPECT_EQ(GetTool(0), TheScene.overlayTool.get());
  EXPECT_EQ(GetTool(2), TheScene.overlayTool.get());

  CountingTool secondary(3);
  TheScene.secondaryTool = &secondary;
  EXPECT_EQ(GetTool(0), &secondary);
  EXPECT_EQ(GetTool(2), &secondary);
  EXPECT_EQ(GetTool(1), defaultTool);
  TheScene.secondaryTool = nullptr;
}

TEST_F(ToolSlotTest, DefaultToolBoundToAnotherViewportIsHidden) {
  TheScene.defaultTool = std::make_unique<CountingTool>();
  CTool* tool = TheScene.defaultTool.get();
  tool->ownerHistory = &document;

  CViewport other;  // shows another document
  TestDocument otherDocument;
  other.documentHistory = &otherDocument;
  SetActiveView(&other);
  EXPECT_EQ(tool->boundViewport, nullptr);
  EXPECT_EQ(GetTool(1), tool);

  CViewport second;
  second.documentHistory = &document;
  SetActiveView(&second);
  EXPECT_EQ(tool->boundViewport, &second);
  SetActiveView(&other);
  EXPECT_EQ(GetTool(1), nullptr);
  SetActiveView(&view);
  EXPECT_EQ(tool->boundViewport, &view);
  EXPECT_EQ(GetTool(1), tool);
}

TEST_F(ToolSlotTest, BaseToolBehaviour) {
  CountingTool tool;
  tool.OnRButtonDown(kMouseRightButton | kMouseShift, 7, 9);
  EXPECT_EQ(tool.doubleClicks, 1);
  EXPECT_EQ(tool.lastFlags, kMouseRightButton | kMouseShift);
  EXPECT_EQ(tool.lastX, 7);
  EXPECT_EQ(tool.lastY, 9);

  Vector3 min, max;
  tool.GetBounds(&min, &max);
  EXPECT_EQ(min.x, 1e30f);
  EXPECT_EQ(max.z, -1e30f);
  EXPECT_EQ(tool.buttonBits, 0);
  EXPECT_EQ(tool.boundViewport, nullptr);
  EXPECT_EQ(tool.ownerHistory, nullptr);
}

TEST_F(ToolSlotTest, DestroyingTheActiveViewportLeavesNoneActive) {
  {
    CViewport pane;
    SetActiveView(&pane);
    EXPECT_EQ(pane.viewMatrix, Matrix4());
    EXPECT_EQ(pane.spareFactor, 10.0f);
    pane.SetSize(640, 480);
    EXPECT_EQ(pane.width, 640);
    EXPECT_EQ(pane.height, 480);
    pane.BindDocument();
    EXPECT_EQ(pane.documentHistory, nullptr);
    EXPECT_EQ(pane.IsVisible(), 1);
  }
  EXPECT_EQ(GetActiveView(), nullptr);
  {
    CViewport inactive;
    SetActiveView(&view);
  }
  EXPECT_EQ(GetActiveView(), &view);
}

}  // namespace

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "modelling/copy_tool.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "shaded_view_fixture.h"

namespace {

// The fixture's Front view with a quad facing it at y = -4 and a small cube lifted by Cut&Paste.
class CopyToolPreviewTest : public ShadedViewTest {
 protected:
  void SetUp() override {
    ShadedViewTest::SetUp();
    pane.documentHistory = &document;
    Add(FacingQuad(-20, 20, -20, 20, -4.0f));
    Add(Cube(0.5f), kStateSelected);
    ResetToPickTool();
    DoCutAndPaste();
  }

  CUndoHistory document;
};

TEST_F(CopyToolPreviewTest, PlacementsLandOnTheShadedSurfaceAndThePreviewNeverReachesTheDepth) {
  ASSERT_NE(dynamic_cast<CCopyTool*>(GetTool(1)), nullptr);
  EXPECT_EQ(DepthReadBackFlag, 1);
  ASSERT_NO_FATAL_FAILURE(Frame());
  const std::vector<float> withoutCopies = view.depth->data;

  pane.OnLButtonDown(kMouseLeftButton, 60, 50);
  pane.OnMouseMove(kMouseLeftButton, 64, 50);
  // Set only around the tool's own redraws.
  EXPECT_EQ(ToolPreviewList, nullptr);
  ASSERT_NO_FATAL_FAILURE(Frame());
  EXPECT_EQ(view.depth->data, withoutCopies);
  pane.OnLButtonUp(0, 64, 50);

  CGeomObject* copy = TheScene.head;
  while (copy->next != nullptr) copy = copy->next;
  ASSERT_EQ(copy->ObjectState, kStateSelected);
  // The origin on the quad, under the pointer.
  EXPECT_NEAR(copy->orientation.at(3, 1), -4.0f, 0.01f);
  pane.ApplyProjection();
  const Vector3 screen = TransformPoint(MatrixRow(copy->orientation, 3), GetViewTransform());
  EXPECT_NEAR(screen.x, 64.0f, 0.5f);
  EXPECT_NEAR(screen.y, 50.0f, 0.5f);

  // A frame with the tool running reads the same depth as one drawn after it is gone.
  ASSERT_NO_FATAL_FAILURE(Frame());
  const std::vector<float> withTool = view.depth->data;
  ResetToPickTool();
  EXPECT_EQ(DepthReadBackFlag, 0);
  ASSERT_NO_FATAL_FAILURE(Frame());
  EXPECT_EQ(view.depth->data, withTool);
}

}  // namespace

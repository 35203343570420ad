#include <gtest/gtest.h>

#include <vector>

#include "kernel/axis_line_object.h"
#include "recording_canvas.h"
#include "scene/drawing_context.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"
#include "scene_fixture.h"

namespace {

using ViewAxisTest = SceneTest;

struct Axes {
  int axis[3];
  int sign[3];
  friend bool operator==(const Axes&, const Axes&) = default;
};

Axes ViewAxes() {
  Axes axes{};
  for (int which = 0; which < 3; ++which) axes.axis[which] = GetViewAxis(which, &axes.sign[which]);
  return axes;
}

TEST_F(ViewAxisTest, AxesFollowTheLargestSharesOfTheViewMatrix) {
  const Axes fixedViews[] = {
      {{0, 1, 2}, {1, 1, 1}},    // top
      {{0, 2, 1}, {1, 1, -1}},   // front
      {{0, 2, 1}, {1, 1, 1}},    // x across, z up, y deep
      {{1, 2, 0}, {1, 1, 1}},    // right
      {{0, 2, 1}, {-1, 1, 1}},   // back
      {{0, 1, 2}, {-1, 1, -1}},  // bottom
  };
  for (const Axes& expected : fixedViews) {
    view.SetAxes(expected.axis[0], expected.axis[1], expected.axis[2], expected.sign[0], expected.sign[1],
                 expected.sign[2]);
    EXPECT_EQ(ViewAxes(), expected) << expected.axis[0] << expected.axis[1] << expected.axis[2];
  }

  // Turned about y: x and z share the depth equally, and z takes it.
  view.viewMatrix = kIdentityMatrix;
  view.viewMatrix.at(0, 0) = 0.6f, view.viewMatrix.at(0, 2) = 0.6f;
  view.viewMatrix.at(2, 0) = -0.6f, view.viewMatrix.at(2, 2) = 0.6f;
  EXPECT_EQ(ViewAxes(), (Axes{{0, 1, 2}, {1, 1, 1}}));
  // A depth shared equally by y and z goes to z.
  view.viewMatrix = kIdentityMatrix;
  view.viewMatrix.at(1, 2) = 1;
  EXPECT_EQ(GetViewAxis(2), 2);

  SetActiveView(nullptr);
  EXPECT_EQ(GetViewAxis(0), 0);
  EXPECT_EQ(GetViewAxis(1), 1);
  EXPECT_EQ(GetViewAxis(2), 2);
}

TEST_F(ViewAxisTest, AxisLineCrossesEveryViewThatDoesNotLookAlongIt) {
  using Vertex = RecordingCanvas::Vertex;
  struct Case {
    int viewAxes[3];
    int lineAxis;
    std::vector<Vertex> drawn;  // empty: nothing drawn
  };
  // The pane is 201 x 101 pixels and shows 10000 model units either way of its centre (100, 50)
  // vertically, so the line's ends fall at 50 pixels from the centre. The frame's origin is at
  // (5, 6, 7): too close to the centre to move a pixel.
  const Case cases[] = {
      {{0, 1, 2}, 0, {{100, 100}, {100, 0}}},  // looking along z: x = 5 runs along y
      {{0, 1, 2}, 1, {{50, 50}, {150, 50}}},
      {{0, 1, 2}, 2, {}},
      {{0, 2, 1}, 0, {{100, 100}, {100, 0}}},  // looking along y: x = 5 runs along z
      {{0, 2, 1}, 2, {{50, 50}, {150, 50}}},
      {{0, 2, 1}, 1, {}},
      {{0, 2, 1}, 3, {}},  // only a bad record has such an axis
      {{0, 2, 1}, -1, {}},
  };
  view.SetSize(201, 101);
  view.viewExtent = 10000;
  TestView<RecordingCanvas> target;
  SetDrawingView(&target);
  for (const Case& c : cases) {
    view.SetAxes(c.viewAxes[0], c.viewAxes[1], c.viewAxes[2], 1, 1, 1);
    ApplyActiveViewProjection();
    CAxisLineObject line;
    line.axisIndex = c.lineAxis;
    line.orientation[12] = 5, line.orientation[13] = 6, line.orientation[14] = 7;
    target.canvas.polylines.clear();
    line.Draw(kDisplayNormalWire);
    if (c.drawn.empty()) {
      EXPECT_TRUE(target.canvas.polylines.empty()) << "line axis " << c.lineAxis;
    } else {
      ASSERT_EQ(target.canvas.polylines.size(), 1u) << "line axis " << c.lineAxis;
      EXPECT_EQ(target.canvas.polylines[0].vertices, c.drawn) << "line axis " << c.lineAxis;
    }
  }
  SetDrawingView(nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kernel/axis_line_object.h"
#include "modelling/axis_line_tool.h"
#include "modelling/measure_tool.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/raster_canvas.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"
#include "services/layer_table.h"

namespace {

constexpr int L = kMouseLeftButton;
constexpr int R = kMouseRightButton;

// A top view of ten pixels per unit: model (x, y) is pixel (100 + 10 x, 100 - 10 y); grid unit 1.
class AxisMeasureToolsTest : public TopViewTest {
 protected:
  std::vector<CAxisLineObject*> Lines() {
    std::vector<CAxisLineObject*> lines;
    for (CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) {
      if (object->ObjectState >= 0) lines.push_back(static_cast<CAxisLineObject*>(object));
    }
    return lines;
  }

  int Records() const {
    int count = 0;
    for (const auto& step : document.ring) count += static_cast<int>(step.size());
    return count;
  }

  std::string LastStatus() const {
    return Headless().statusTexts.empty() ? std::string() : Headless().statusTexts.back();
  }
};

// kToolRightUp reaches the tool alone: a right release whose press the tool never saw.
enum class Event { kLeftDown, kLeftUp, kRightDown, kRightUp, kToolRightUp, kMove };

struct MouseStep {
  Event event;
  int flags, x, y;
};

void Play(CViewport& view, const std::vector<MouseStep>& steps) {
  for (const MouseStep& s : steps) {
    switch (s.event) {
      case Event::kLeftDown: view.OnLButtonDown(s.flags, s.x, s.y); break;
      case Event::kLeftUp: view.OnLButtonUp(s.flags, s.x, s.y); break;
      case Event::kRightDown: view.OnRButtonDown(s.flags, s.x, s.y); break;
      case Event::kRightUp: view.OnRButtonUp(s.flags, s.x, s.y); break;
      case Event::kToolRightUp: {
        CTool* tool = GetTool(0);
        const ToolCallGuard call(tool);
        tool->OnRButtonUp(s.flags, s.x, s.y);
        break;
      }
      case Event::kMove: view.OnMouseMove(s.flags, s.x, s.y); break;
    }
  }
}

TEST_F(AxisMeasureToolsTest, AxisLineGestures) {
  using E = Event;
  struct Line {
    int axis;
    Vector3 origin;
  };
  struct Case {
    const char* what;
    std::vector<MouseStep> steps;
    std::vector<Line> added;
  };
  const Case cases[] = {
      {"no lock", {{E::kLeftDown, L, 100, 80}, {E::kMove, L, 112, 79}, {E::kLeftUp, 0, 112, 79}}, {}},
      {"locked on x", {{E::kLeftDown, L, 100, 80}, {E::kMove, L, 125, 80}, {E::kLeftUp, 0, 125, 80}}, {{0, {3, 2, 0}}}},
      {"right press drops the line",
       {{E::kLeftDown, L, 100, 80}, {E::kMove, L, 125, 80}, {E::kRightDown, L | R, 125, 80}, {E::kLeftUp, R, 125, 80}},
       {}},
      {"right release keeps the current line's axis",
       {{E::kLeftDown, L, 100, 100}, {E::kMove, L, 125, 100}, {E::kToolRightUp, L, 125, 100}, {E::kMove, L, 125, 70},
        {E::kLeftUp, 0, 125, 70}},
       {{0, {3, 3, 0}}}},
      {"after a right click the next lock starts a new line",
       {{E::kLeftDown, L, 100, 100}, {E::kMove, L, 125, 100}, {E::kRightDown, L | R, 125, 100},
        {E::kRightUp, L, 125, 100}, {E::kMove, L, 125, 70}, {E::kLeftUp, 0, 125, 70}},
       {{1, {3, 3, 0}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetScene();
    SetActiveView(&view);
    view.buttonBits = 0;
    document.Clear();
    DoAxisLine();
    ASSERT_EQ(GetCurrentToolCursorId(), 9041);
    Play(view, c.steps);
    const std::vector<CAxisLineObject*> lines = Lines();
    ASSERT_EQ(lines.size(), c.added.size());
    EXPECT_EQ(Records(), static_cast<int>(c.added.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i]->axisIndex, c.added[i].axis);
      EXPECT_EQ(MatrixRow(lines[i]->orientation, 3), c.added[i].origin);
      EXPECT_EQ(lines[i]->ObjectState, kStateShown);
      EXPECT_EQ(lines[i]->layer, CurrentLayer);
    }
  }
}

TEST_F(AxisMeasureToolsTest, EachAxisLineIsOneUndoStepOfTheDocument) {
  DoAxisLine();
  Play(view, {{Event::kLeftDown, L, 100, 80}, {Event::kMove, L, 125, 80}});
  EXPECT_EQ(LastStatus(), "    X  3");
  Play(view, {{Event::kLeftUp, 0, 125, 80}, {Event::kLeftDown, L, 100, 100}, {Event::kMove, L, 100, 60},
              {Event::kLeftUp, 0, 100, 60}});
  ASSERT_EQ(Lines().size(), 2u);
  CGeomObject* first = GetObjectList();
  CGeomObject* second = first->next;
  CTool* tool = GetTool(0);
  UndoWithCurrentTool();
  EXPECT_EQ(second->ObjectState, kStateShown - kAbsorbedOffset);
  EXPECT_EQ(first->ObjectState, kStateShown);
  UndoWithCurrentTool();
  EXPECT_EQ(first->ObjectState, kStateShown - kAbsorbedOffset);
  RedoWithCurrentTool();
  EXPECT_EQ(first->ObjectState, kStateShown);
  EXPECT_EQ(second->ObjectState, kStateShown - kAbsorbedOffset);
  EXPECT_EQ(GetTool(0), tool);
}

TEST_F(AxisMeasureToolsTest, MeasureReadsOutEachLegFromTheLastRelease) {
  DoMeasureDistance();
  EXPECT_EQ(GetCurrentToolCursorId(), 9300);
  EXPECT_EQ(LastStatus(), "Measuring distance...");
  // A move without a button follows the pointer too.
  view.OnMouseMove(0, 130, 90);
  EXPECT_EQ(LastStatus(),
            "    DX        3    DY        1    DZ        0     Distance = 3.162278    Angle = 18.43495    DA = 18.43495");
  Play(view, {{Event::kLeftDown, L, 120, 100}});
  EXPECT_EQ(LastStatus(),
            "    DX        2    DY        0    DZ        0     Distance =        2    Angle =        0    DA =        0");
  Play(view, {{Event::kLeftUp, 0, 120, 100}, {Event::kLeftDown, L, 120, 100}, {Event::kMove, L, 120, 80}});
  EXPECT_EQ(LastStatus(),
            "    DX        0    DY        2    DZ        0     Distance =        2    Angle =       90    DA =      -90");
  const auto* tool = dynamic_cast<CMeasureTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(tool->P1, Vector3(2, 0, 0));
  EXPECT_EQ(tool->P2, Vector3(2, 2, 0));
  // Undo has nothing of the tool to take back.
  UndoWithCurrentTool();
  EXPECT_EQ(GetTool(0), tool);
}

TEST_F(AxisMeasureToolsTest, MeasureAngleFollowsTheWorldAxesInTheBackView) {
  view.SetAxes(0, 2, 1, -1, 1, 1);
  DoMeasureDistance();
  Play(view, {{Event::kLeftDown, L, 120, 100}});
  EXPECT_EQ(LastStatus(),
            "    DX       -2    DY        0    DZ        0     Distance =        2    Angle =      180    DA =      180");
}

// A drawing view whose depth raster the test fills.
class DepthView : public CanvasView {
 public:
  DeviceContext& DrawingCanvas() override { return canvas; }
  DepthRaster* ViewDepthRaster() override { return raster.get(); }
  RasterCanvas canvas{201, 201};
  std::unique_ptr<DepthRaster> raster;
};

TEST_F(AxisMeasureToolsTest, MeasureInTheShadedModesTakesTheSurfacePoint) {
  DepthView depthView;
  SetDrawingView(&depthView);
  view.displayMode = kDisplayFastShading;
  ResizeDepthRaster(&depthView.raster, 201, 201, depthView.CanvasLife());
  const Matrix4 toScreen = GetViewTransform();
  const Matrix4 toModel = GetInverseViewTransform();
  // The surface z = 1.23456 covers x < 0; the rest is background.
  for (int row = 0; row < 201; ++row) {
    for (int column = 0; column < 100; ++column) {
      const Vector3 onPlane = TransformPoint({static_cast<float>(column), static_cast<float>(row), 0}, toModel);
      depthView.raster->data[static_cast<std::size_t>(row * 201 + column)] =
          TransformPoint({onPlane.x, onPlane.y, 1.23456f}, toScreen).z;
    }
  }
  DoMeasureDistance();
  const auto* tool = dynamic_cast<CMeasureTool*>(GetTool(0));
  ASSERT_NE(tool, nullptr);
  Play(view, {{Event::kLeftDown, L, 75, 90}});
  EXPECT_NEAR(tool->P2.x, -2.5, 1e-6);
  EXPECT_NEAR(tool->P2.y, 1.0, 1e-6);
  EXPECT_NEAR(tool->P2.z, 1.235, 1e-6);
  view.OnMouseMove(L, 135, 90);
  EXPECT_NEAR(tool->P2.x, 3.5, 1e-6);
  EXPECT_EQ(tool->P2.z, 0.0f);
  SetDrawingView(nullptr);
}

}  // namespace

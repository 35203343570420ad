#include <benchmark/benchmark.h>

#include "kernel/matrix4.h"
#include "modelling/curve_drawing_commands.h"
#include "modelling/curve_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

namespace {

// A full-HD front pane of a document, active, with a drawing tool started by the command.
class CurveToolScene {
 public:
  CurveToolScene() {
    ResetScene();
    pane_.documentHistory = &document_;
    pane_.SetSize(1920, 1080);
    pane_.SetAxes(0, 1, 2, 1, 1, 1);
    SetActiveView(&pane_);
  }
  ~CurveToolScene() {
    SetActiveView(nullptr);
    ResetScene();
  }
  CurveToolScene(const CurveToolScene&) = delete;
  CurveToolScene& operator=(const CurveToolScene&) = delete;

  CViewport& pane() { return pane_; }

 private:
  CUndoHistory document_;
  CViewport pane_;
};

// Clicks in rows across the pane, further apart than a control point's pick reach.
void ClickFreePoints(CViewport& pane, int count) {
  for (int i = 0; i < count; ++i) {
    const int x = 10 + (i % 236) * 8;
    const int y = 20 + (i / 236) * 20;
    pane.OnLButtonDown(kMouseLeftButton, x, y);
    pane.OnLButtonUp(0, x, y);
  }
}

// One drag step of the first point of a transform curve of 10 000 copies of 50 free points:
// the free point moves and the 500 000 curve points are written again.
void DragTransformCurvePoint(benchmark::State& state) {
  CurveToolScene scene;
  Matrix4 step = kIdentityMatrix;
  step.at(3, 1) = 0.01f;
  StartCurveTransformTool(10000, step, 0);
  ClickFreePoints(scene.pane(), 50);
  scene.pane().OnLButtonDown(kMouseLeftButton, 10, 20);
  int y = 0;
  for (auto _ : state) scene.pane().OnMouseMove(kMouseLeftButton, 10, 20 + (++y % 80));
  scene.pane().OnLButtonUp(0, 10, 20);
  ResetToPickTool();
}
BENCHMARK(DragTransformCurvePoint)->Unit(benchmark::kMillisecond);

// One click that extends a simple curve of 10 000 points: the control-point pick and the
// insert-segment search over every point, then the new point.
void ClickOnLongSimpleCurve(benchmark::State& state) {
  CurveToolScene scene;
  DoCurveSimple();
  ClickFreePoints(scene.pane(), 10000);
  for (auto _ : state) {
    scene.pane().OnLButtonDown(kMouseLeftButton, 1900, 1000);
    scene.pane().OnLButtonUp(0, 1900, 1000);
  }
  ResetToPickTool();
}
BENCHMARK(ClickOnLongSimpleCurve)->Unit(benchmark::kMillisecond);

}  // namespace

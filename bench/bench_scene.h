#pragma once

#include "scene/scene.h"
#include "scene/viewport.h"

// A full-HD top view of a 40 x 40 area around the origin, active for the scene.
class BenchScene {
 public:
  explicit BenchScene(int displayMode) {
    ResetScene();
    pane_.SetSize(1920, 1080);
    pane_.SetAxes(0, 1, 2, 1, 1, 1);
    pane_.displayMode = displayMode;
    SetActiveView(&pane_);
    pane_.ApplyProjection();
  }
  ~BenchScene() { ResetScene(); }
  BenchScene(const BenchScene&) = delete;
  BenchScene& operator=(const BenchScene&) = delete;

 private:
  CViewport pane_;
};

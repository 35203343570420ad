#include <benchmark/benchmark.h>

#include <memory>

#include "grid_mesh.h"
#include "platform/gl/gl_frame.h"
#include "platform/gl/libgl_calls.h"
#include "scene/gl_table.h"
#include "scene/scene.h"
#include "scene/vorn_view.h"

namespace {

// One step of a Tab-held left drag in an 800 x 600 Fast Shading 3-D view of a 200 000-triangle
// mesh: two turns of the camera and the view's redraw. Steps go down and up by turns, so the
// camera swings back and forth.
void BM_NavigationRotateStep(benchmark::State& state) {
  LibGlCalls gl;
  InstallGlCalls(&gl);
  if (GlFrame::Instance().Begin(8, 8) != GlFrameStatus::kReady) {
    state.SkipWithError(GlFrame::Instance().lastError().c_str());
    InstallGlCalls(nullptr);
    return;
  }
  {
    CVornView view(nullptr);
    view.OnSize(kSizeRestored, 800, 600);
    view.SetViewType(kView3D, 0);
    view.displayMode = kDisplayFastShading;
    view.OnActivateView(true);
    std::unique_ptr<CMeshObject> mesh = GridMesh(400, 250);
    mesh->flatShading = 0;
    mesh->ObjectState = kStateShown;
    AddObject(mesh, 0);
    view.OnDraw();

    view.OnKeyDown(kKeyTab);
    view.OnLButtonDown(kMouseLeftButton, 400, 300);
    int y = 300;
    for (auto _ : state) {
      y = y == 300 ? 306 : 300;
      view.OnMouseMove(kMouseLeftButton, 404, y);
      benchmark::DoNotOptimize(view.windowImage.rows().data());
    }
    view.OnLButtonUp(0, 404, y);
    view.OnKeyUp(kKeyTab);
    ResetScene();
  }
  InstallGlCalls(nullptr);
}
BENCHMARK(BM_NavigationRotateStep)->Unit(benchmark::kMillisecond);

}  // namespace

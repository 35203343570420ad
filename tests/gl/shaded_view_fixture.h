#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "kernel/mesh_object.h"
#include "platform/command_queue.h"
#include "platform/gl/gl_frame.h"
#include "platform/gl/libgl_calls.h"
#include "platform/raster_canvas.h"
#include "program_state.h"
#include "recording_canvas.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/gl_table.h"
#include "scene/gl_view_frame.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/viewport.h"

inline constexpr int kWidth = 120;
inline constexpr int kHeight = 101;

// libGL, and a picture drawn right after the frame is cleared, where the view background goes.
class BackgroundGl : public LibGlCalls {
 public:
  void Clear(std::uint32_t mask) override {
    LibGlCalls::Clear(mask);
    if (!drawBackground) return;
    GlFrameFlag = 1;
    drawBackground();
    GlFrameFlag = 0;
  }
  std::function<void()> drawBackground;
};

// A Front view of 120 x 101 pixels at zoom 1, extent 25 (2 pixels a unit; x right, z up, depth
// -y), Fast Shading, drawn by OpenGL on the surfaceless EGL display.
class ShadedViewTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    // CI installs Mesa: a missing display is a fault to report, never a reason to skip.
    ASSERT_EQ(GlFrame::Instance().Begin(8, 8), GlFrameStatus::kReady)
        << "no OpenGL frame on the surfaceless EGL display: " << GlFrame::Instance().lastError();
    pane.SetSize(kWidth, kHeight);
    pane.viewType = kView3D;
    pane.SetAxes(0, 2, 1, 1, 1, -1);
    pane.displayMode = kDisplayFastShading;
    SetActiveView(&pane);
    SetDrawingView(&view);
    ResizeDepthRaster(&view.depth, kWidth, kHeight, view.CanvasLife());
    InstallGlCalls(&gl);
  }

  template <class T>
  T* Add(std::unique_ptr<T> object, int state = kStateShown) {
    object->ObjectState = state;
    return AddObject(object, 0);
  }

  void Frame() {
    RedrawView(&pane);
    ASSERT_EQ(ProgramCommandQueue().Pending(), 0u) << "the frame had no OpenGL";
  }

  // The colour at a pixel as blue, green, red bytes.
  std::array<int, 3> Bgr(int x, int y) const {
    const ColorRef color = view.canvas.PixelAt(x, y);
    return {int((color >> 16) & 0xFF), int((color >> 8) & 0xFF), int(color & 0xFF)};
  }

  CViewport pane;
  TestView<RasterCanvas> view{kWidth, kHeight};
  BackgroundGl gl;
};

// A quad in the plane y = depthY facing the viewer (-y), from (x0, z0) to (x1, z1).
inline std::unique_ptr<CMeshObject> FacingQuad(float x0, float x1, float z0, float z1, float depthY) {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(4, {{x0, depthY, z0}, {x1, depthY, z0}, {x1, depthY, z1}, {x0, depthY, z1}});
  mesh->faceSizes = {4};
  // (P2 - P1) x (P0 - P1) must point to -y.
  mesh->faceIndices = {0, 1, 2, 3};
  return mesh;
}

// A closed unit cube around the origin, every face wound to face outward.
inline std::unique_ptr<CMeshObject> Cube(float half) {
  auto mesh = std::make_unique<CMeshObject>();
  std::vector<Vector3> corners;
  for (int i = 0; i < 8; ++i) {
    corners.push_back({(i & 1) ? half : -half, (i & 2) ? half : -half, (i & 4) ? half : -half});
  }
  mesh->SetPoints(8, corners);
  mesh->faceSizes = {4, 4, 4, 4, 4, 4};
  mesh->faceIndices = {0, 1, 5, 4,  2, 6, 7, 3,  0, 4, 6, 2,  1, 3, 7, 5,  0, 2, 3, 1,  4, 5, 7, 6};
  return mesh;
}

#include "render/view_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kernel/geom_object.h"
#include "mesh_fixtures.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/input_monitor.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "platform/raster_canvas.h"
#include "program_state.h"
#include "recording_canvas.h"
#include "render/material.h"
#include "render/record_pool.h"
#include "render/render_node.h"
#include "render/render_state.h"
#include "render/render_state_scope.h"
#include "render/render_tree.h"
#include "render/shading.h"
#include "render/view_render_scan.h"
#include "scene/active_view_renderer.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/view_background.h"
#include "scene/viewport.h"
#include "services/app_settings.h"

namespace {

// Not a multiple of 4: the padded row buffer must still reach the blit.
constexpr int kWidth = 21;
constexpr int kHeight = 15;
constexpr ColorRef kMarker = 0x00FF00FF;

class ImageWatchingViewport : public CViewport {
 public:
  void WindowImageChanged() override { ++imageChanges; }
  int imageChanges = 0;
};

// Escape waits from the poll after the given count on: the render stops before that row.
class EscapeAfterPolls : public InputMonitor {
 public:
  explicit EscapeAfterPolls(int quietPolls) : quietPolls_(quietPolls) {}
  void Poll() override { ++polls; }
  std::vector<HeldInput> Held() const override {
    if (polls <= quietPolls_) return {};
    return {{HeldInput::Kind::kKeyDown, kVirtualKeyEscape}};
  }
  int polls = 0;

 private:
  int quietPolls_;
};

// A front pane of one pixel per model unit: model (x, y) is the pixel (10 + x, 7 - y); z comes
// towards the viewer.
class ViewRendererTest : public LumidrexTest {
 public:
  void SetUp() override {
    LumidrexTest::SetUp();
    pane.SetSize(kWidth, kHeight);
    pane.SetAxes(0, 1, 2, 1, 1, 1);
    pane.viewExtent = 7;
    pane.displayMode = 300;
    SetActiveView(&pane);
    SetDrawingView(&window);
    ResizeDepthRaster(&window.depth, kWidth, kHeight, window.CanvasLife());
    ColorBack = 0x00302010;
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  }

  void TearDown() override {
    SetDrawingView(nullptr);
    SetActiveView(nullptr);
    LumidrexTest::TearDown();
  }

  CMeshObject* AddBox(Vector3 lo, Vector3 hi) {
    auto box = BoxMesh(lo, hi);
    CMeshObject* added = AddObject(box, 0);
    added->ObjectState = kStateShown;
    return added;
  }

  // Out of every later render.
  static void HideEverything() {
    for (CGeomObject* o = GetObjectList(); o != nullptr; o = o->next) o->ObjectState = 2;
  }

  void Paint(ColorRef colour) { window.canvas.FillSolidRect(0, 0, kWidth, kHeight, colour); }
  void FillDepths(float depth) { std::fill(window.depth->data.begin(), window.depth->data.end(), depth); }
  float Depth(int x, int y) const { return window.depth->data[static_cast<std::size_t>(y * kWidth + x)]; }
  ColorRef Pixel(int x, int y) const { return window.canvas.PixelAt(x, y); }
  std::vector<ColorRef> Row(int y) const {
    std::vector<ColorRef> row;
    for (int x = 0; x < kWidth; ++x) row.push_back(Pixel(x, y));
    return row;
  }

  ImageWatchingViewport pane;
  TestView<RasterCanvas> window{kWidth, kHeight};
};

// The interpolated colour of a face turned to the viewer: the default material's diffuse colour
// brightened by its ambient one, each channel truncated.
ColorRef FacingColour() {
  CMaterial material;
  material.Load("", 0);
  material.MixAmbientIntoDiffuse();
  const auto byte = [&](int i) { return static_cast<ColorRef>(material.diffuse[i] * 255.0f); };
  return byte(0) | byte(1) << 8 | byte(2) << 16;
}

struct RenderState {
  std::int16_t shadingMode;
  float centreColumn, centreRow, direction, half;
  BackgroundColor background;
  int nesting;
  Matrix4 top;

  static RenderState Now() {
    return {ShadingMode,         viewCentreColumn, viewCentreRow, rowDirection, halfHeight,
            GetBackgroundColor(), RenderNestingCount, RenderMatrixTop()};
  }
  bool operator==(const RenderState&) const = default;
};

TEST_F(ViewRendererTest, PaintsTheNearestSurfaceAndKeepsTheDepthsInStep) {
  AddBox({-3, -2, -4}, {3, 2, 1});
  Paint(kMarker);
  // What a GL frame of another camera left behind.
  FillDepths(1000.0f);
  SoftwareRenderActiveView(0);

  const float empty = window.depth->emptyDepth;
  const ColorRef face = FacingColour();
  const ColorRef back = ColorBack;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      SCOPED_TRACE(testing::Message() << "pixel " << x << ", " << y);
      const bool inside = x >= 7 && x < 13 && y >= 5 && y < 9;
      EXPECT_EQ(Pixel(x, y), inside ? face : back);
      if (inside) {
        EXPECT_GT(Depth(x, y), empty);
      } else {
        EXPECT_EQ(Depth(x, y), empty);
      }
    }
  }
  // The front face sits at model z = 1: all hit pixels share one depth, nearer than the back's.
  EXPECT_EQ(Depth(7, 5), Depth(12, 8));
  EXPECT_EQ(pane.imageChanges, kHeight);
}

TEST_F(ViewRendererTest, ViewScanTable) {
  struct Case {
    const char* name;
    std::function<void(ViewRendererTest&)> scene;
    // Runs after the first render.
    std::function<void(ViewRendererTest&)> between;
    std::function<void(ViewRendererTest&)> check;
  };
  const std::vector<Case> cases = {
      {"a solid thinner than 0.001 is invisible and the surface behind shows",
       [](ViewRendererTest& t) {
         t.AddBox({-3, -2, -4}, {3, 2, 1});
         t.AddBox({-1, -1, 2.0f}, {1, 1, 2.0004f});
       },
       nullptr,
       [](ViewRendererTest& t) {
         EXPECT_EQ(t.Pixel(10, 7), FacingColour());
         EXPECT_EQ(t.Depth(10, 7), t.Depth(7, 5));
       }},
      {"an empty design gives background rows and empty depths",
       [](ViewRendererTest&) {},
       nullptr,
       [](ViewRendererTest& t) {
         for (int y = 0; y < kHeight; ++y) EXPECT_EQ(t.Row(y), std::vector<ColorRef>(kWidth, ColorBack));
         for (const float d : t.window.depth->data) EXPECT_EQ(d, t.window.depth->emptyDepth);
       }},
      {"with the depth test on, a second pass paints only nearer pixels",
       [](ViewRendererTest& t) { t.AddBox({-3, -2, -4}, {3, 2, 1}); },
       [](ViewRendererTest& t) {
         // A wider box behind the first one: only its rim is nearer than the stored depths.
         HideEverything();
         t.AddBox({-6, -3, -8}, {6, 3, -5});
         t.Paint(kMarker);
         DepthTestFlag = 1;
         t.pane.imageChanges = 0;
       },
       [](ViewRendererTest& t) {
         const float firstFront = t.Depth(10, 7);
         EXPECT_GT(firstFront, t.Depth(4, 7));
         // Refused pixels show the row's background, not what the window held.
         EXPECT_EQ(t.Pixel(10, 7), ColorBack);
         EXPECT_EQ(t.Pixel(4, 7), FacingColour());
         EXPECT_EQ(t.Pixel(0, 0), ColorBack);
         // Where the second pass hit nothing the old depths stay.
         EXPECT_EQ(t.Depth(0, 0), t.window.depth->emptyDepth);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HideEverything();
    DepthTestFlag = 0;
    c.scene(*this);
    SoftwareRenderActiveView(0);
    if (c.between) {
      c.between(*this);
      SoftwareRenderActiveView(0);
    }
    c.check(*this);
  }
}

TEST_F(ViewRendererTest, OnlyATransparentFrontLetsTheSurfaceBehindShow) {
  static const std::string diamond = "Diamond";
  static const std::string gold = "Gold";
  for (const std::string* front : {&diamond, static_cast<const std::string*>(nullptr)}) {
    SCOPED_TRACE(front != nullptr ? *front : "default");
    HideEverything();
    AddBox({-3, -2, -4}, {3, 2, 1})->materialName = front;
    SoftwareRenderActiveView(1);
    const ColorRef alone = Pixel(10, 7);
    EXPECT_NE(alone, ColorBack);
    AddBox({-6, -3, -8}, {6, 3, -5})->materialName = &gold;
    SoftwareRenderActiveView(1);
    EXPECT_EQ(Pixel(10, 7) != alone, front == &diamond);
  }
}

TEST_F(ViewRendererTest, AnAbortBeforeARowLeavesTheRestAsItWas) {
  AddBox({-3, -2, -4}, {3, 2, 1});
  for (const int stopRow : {0, 6, kHeight - 1}) {
    SCOPED_TRACE(stopRow);
    Paint(kMarker);
    FillDepths(5.0f);
    EscapeAfterPolls monitor(stopRow);
    InstallPlatformServices(PlatformServices{.input = &monitor});
    const RenderState before = RenderState::Now();
    SoftwareRenderActiveView(1);
    InstallPlatformServices(PlatformServices{});
    EXPECT_EQ(RenderState::Now(), before);
    EXPECT_EQ(monitor.polls, stopRow + 1);
    for (int y = 0; y < kHeight; ++y) {
      if (y < stopRow) {
        EXPECT_NE(Pixel(0, y), kMarker) << y;
      } else {
        EXPECT_EQ(Row(y), std::vector<ColorRef>(kWidth, kMarker)) << y;
        EXPECT_EQ(Depth(10, y), 5.0f) << y;
      }
    }
  }
}

TEST_F(ViewRendererTest, StateIsPutBackAndARenderWhileATreeLivesDrawsNothing) {
  AddBox({-3, -2, -4}, {3, 2, 1});
  ShadingMode = 2;
  SetPictureShadingState(3, 4, 1.0f, 9);
  SetBackgroundColorRGB(1, 2, 3);
  const RenderState before = RenderState::Now();

  SoftwareRenderActiveView(1);
  EXPECT_EQ(RenderState::Now(), before);
  EXPECT_EQ(Pixel(10, 7) == ColorBack, false);

  // An inverted dirty rectangle returns before drawing.
  Paint(kMarker);
  pane.dirtyFlag = 1;
  pane.dirtyLeft = 8, pane.dirtyRight = 4, pane.dirtyTop = 0, pane.dirtyBottom = 5;
  SoftwareRenderActiveView(0);
  EXPECT_EQ(RenderState::Now(), before);
  EXPECT_EQ(Pixel(6, 2), kMarker);
  pane.dirtyFlag = 0;

  // A picture render owns the engine while its tree lives.
  CRenderNode* picture = BuildRenderTree(kIdentityMatrix, 0);
  const int polls = Headless().polls;
  SoftwareRenderActiveView(1);
  EXPECT_EQ(Headless().polls, polls);
  EXPECT_EQ(Pixel(10, 7), kMarker);
  ReleaseRenderTree(picture);
  EXPECT_EQ(RenderNestingCount, 0);
}

// Out of memory inside the view's frame: no modal box there, the message waits for the main loop,
// and nothing stays raised that would refuse every later render.
TEST_F(ViewRendererTest, RunningOutOfMemoryPostsTheMessageAndLeavesTheStateAsItWas) {
  AddBox({-3, -2, -4}, {3, 2, 1});
  const RenderState before = RenderState::Now();
  FailNthBlockAllocation(1);
  SoftwareRenderActiveView(1);
  EXPECT_EQ(RenderState::Now(), before);
  EXPECT_TRUE(Headless().messages.empty());
  ProgramCommandQueue().Drain();
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Not enough memory to perform operations!");
  SoftwareRenderActiveView(0);
  EXPECT_EQ(Pixel(10, 7), FacingColour());
}

TEST_F(ViewRendererTest, ADirtyRectangleRendersOnlyItsRows) {
  AddBox({-3, -2, -4}, {3, 2, 1});
  Paint(kMarker);
  pane.AddDirtyRect(8, 6, 12, 8);
  SoftwareRenderActiveView(0);
  EXPECT_EQ(pane.imageChanges, 2);
  EXPECT_EQ(Pixel(8, 6), FacingColour());
  EXPECT_EQ(Pixel(11, 7), FacingColour());
  EXPECT_EQ(Pixel(12, 7), kMarker);
  EXPECT_EQ(Pixel(8, 8), kMarker);
}

TEST_F(ViewRendererTest, RenderViewDrawsShadingInColourThroughTheRegisteredRenderer) {
  AddBox({-3, -2, -4}, {3, 2, 1});
  RegisterActiveViewRenderer(&SoftwareRenderActiveView);
  RedrawView(&pane);
  EXPECT_EQ(Pixel(10, 7), FacingColour());
  EXPECT_EQ(Pixel(0, 0), ColorBack);
  // Once per row, and once more as the frame ends.
  EXPECT_EQ(pane.imageChanges, kHeight + 1);
}

}  // namespace

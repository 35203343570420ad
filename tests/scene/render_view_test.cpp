#include "scene/render_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/frame_point_budget.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "recording_canvas.h"
#include "recording_gl.h"
#include "scene/active_view_renderer.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/gl_table.h"
#include "scene/scene.h"
#include "scene/viewport.h"
#include "scene/zoom_tools.h"
#include "services/app_settings.h"
#include "services/layer_table.h"

namespace {

// A Front view of 120 x 101 pixels at zoom 1: 2 pixels per model unit, x to the right, z up.
class RenderViewTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    Prepare();
  }

  // Starts afresh within a test, for a table of cases.
  void Restart() {
    ResetProgramState();
    gl.calls.clear();
    gl.status = GlFrameStatus::kReady;
    view.canvas = RecordingCanvas();
    view.depth = nullptr;
    Prepare();
  }

  void Prepare() {
    pane.SetSize(120, 101);
    pane.viewType = kViewFront;
    pane.SetAxes(0, 2, 1, 1, 1, -1);
    SetActiveView(&pane);
    SetDrawingView(&view);
    ResizeDepthRaster(&view.depth, 120, 101, view.CanvasLife());
    InstallGlCalls(&gl);
  }

  // Adds a shown object on layer 0.
  template <class T>
  T* Add(std::unique_ptr<T> object, int state = kStateShown, int layer = 0) {
    object->ObjectState = state;
    object->layer = layer;
    return AddObject(object, 0);
  }

  static std::unique_ptr<CCurveObject> Curve() {
    auto curve = std::make_unique<CCurveObject>();
    curve->SetPoints(3, {{-5, 0, -5}, {0, 0, 5}, {5, 0, -5}});
    curve->controlPointsHidden = 1;
    return curve;
  }

  static std::unique_ptr<CMeshObject> Triangle() {
    auto mesh = std::make_unique<CMeshObject>();
    mesh->SetPoints(3, {{-5, 0, 0}, {5, 0, 0}, {0, 0, 5}});
    mesh->faceSizes = {3};
    mesh->faceIndices = {0, 1, 2};
    return mesh;
  }

  int PolylinesIn(ColorRef color) const {
    int count = 0;
    for (const RecordingCanvas::Polyline& polyline : view.canvas.polylines) {
      count += polyline.color == color ? 1 : 0;
    }
    return count;
  }

  int DepthReadBacks() const {
    int count = 0;
    for (const RecordingGl::Call& call : gl.Named("ReadPixels")) {
      count += call.numbers[4] == kGlDepthComponent ? 1 : 0;
    }
    return count;
  }

  CViewport pane;
  TestView<RecordingCanvas> view;
  RecordingGl gl;
};

TEST_F(RenderViewTest, DisplayModeTable) {
  struct Case {
    const char* name;
    int mode;
    bool registered;
    bool drag;
    bool pressWaits;
    // What the frame did.
    int glFrames;
    std::vector<int> rendered;
    int abortChecks;
    int backgroundFills;
  };
  const Case cases[] = {
      {"rendering while a press waits", 400, true, false, true, 1, {}, 1, 0},
      {"rendering when idle", 400, true, false, false, 0, {1}, 1, 0},
      {"shading in colour when idle", 300, true, false, false, 0, {0}, 1, 0},
      {"shading in colour during a drag", 300, true, true, false, 1, {}, 0, 0},
      {"shading in colour with no renderer", 300, false, false, true, 1, {}, 0, 0},
      {"fast shading", 100, true, false, true, 1, {}, 0, 0},
      {"wire frame during a drag", 0, true, true, true, 0, {}, 0, 1},
      {"quick wire frame", 10, true, false, false, 0, {}, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    std::vector<int> rendered;
    if (c.registered) RegisterActiveViewRenderer([&](int which) { rendered.push_back(which); });
    DragRedrawFlag = c.drag ? 1 : 0;
    if (c.pressWaits) Headless().heldInput = {{HeldInput::Kind::kLeftButtonDown, 0}};
    pane.displayMode = c.mode;
    RedrawView(&pane);
    EXPECT_EQ(gl.Count("BeginFrame"), c.glFrames);
    EXPECT_EQ(rendered, c.rendered);
    EXPECT_EQ(Headless().polls, c.abortChecks);
    EXPECT_EQ(static_cast<int>(view.canvas.fills.size()), c.backgroundFills);
  }
}

TEST_F(RenderViewTest, WireFramesFillTheDirtyRectangleWithItsEdgesOrThePane) {
  RedrawView(&pane);
  ASSERT_EQ(view.canvas.fills.size(), 1u);
  EXPECT_EQ(view.canvas.fills[0], (RecordingCanvas::Fill{0, 0, 120, 101, ColorBack}));

  view.canvas.fills.clear();
  pane.AddDirtyRect(10, 20, 30, 40);
  RedrawView(&pane);
  ASSERT_EQ(view.canvas.fills.size(), 1u);
  EXPECT_EQ(view.canvas.fills[0], (RecordingCanvas::Fill{10, 20, 31, 41, ColorBack}));
}

TEST_F(RenderViewTest, AnEmptyDirtyRectangleOrPaneDrawsNothing) {
  Add(Curve());
  for (const int mode : {0, 100}) {
    SCOPED_TRACE(mode);
    pane.displayMode = mode;
    pane.AddDirtyRect(10, 10, 10, 50);
    RedrawView(&pane);
    pane.SetSize(0, 101);
    RedrawView(&pane);
    pane.SetSize(120, 101);
  }
  EXPECT_TRUE(view.canvas.fills.empty());
  EXPECT_TRUE(view.canvas.polylines.empty());
  EXPECT_TRUE(gl.calls.empty());
}

TEST_F(RenderViewTest, ShadedFramesShadeSurfacesAndDrawCurvesOverThem) {
  auto surface = std::make_unique<CSurfaceObject>();
  surface->rows = surface->columns = 2;
  surface->SetPoints(4, {{-5, 0, -5}, {-5, 0, 5}, {5, 0, -5}, {5, 0, 5}});
  Add(std::move(surface));
  Add(Curve(), kStateSelected);
  Add(Curve(), kStateShown, 3);
  Add(Triangle(), kStateShown, 4);
  LayerTable[4].visible = 0;
  pane.displayMode = 100;
  RedrawView(&pane);

  EXPECT_EQ(gl.Count("DrawElements"), 1);  // the mesh's layer is hidden
  ASSERT_EQ(view.canvas.blits.size(), 1u);
  EXPECT_EQ(view.canvas.blits[0], (RecordingCanvas::Blit{0, 0, 120, 101}));
  // The curves come after the picture, in the picked colour and their layer's.
  EXPECT_GT(PolylinesIn(ColorPick), 0);
  EXPECT_GT(PolylinesIn(LayerColors[3]), 0);
  // The diffuse colour of the surface is its layer's.
  const std::vector<RecordingGl::Call> materials = gl.Named("Materialfv");
  ASSERT_EQ(materials.size(), 1u);
  EXPECT_FLOAT_EQ(materials[0].numbers[2], static_cast<float>(LayerColors[0] & 0xFF) / 255.0f);
}

TEST_F(RenderViewTest, ToolPreviewIsDrawnInThePickedColourAndKeepsTheDepthsOfShadedFrames) {
  auto preview = Curve();
  ToolPreviewList = preview.get();
  ToolPreviewMatrix[12] = 3.0f;
  RedrawView(&pane);
  EXPECT_GT(PolylinesIn(ColorPick), 0);

  // Shaded: the preview is shaded under its matrix, and the depths stay as they were.
  auto mesh = Triangle();
  ToolPreviewList = mesh.get();
  pane.displayMode = 100;
  RedrawView(&pane);
  EXPECT_EQ(gl.Named("MultMatrixf").at(0).numbers[12], 3.0);
  EXPECT_EQ(gl.Count("DrawElements"), 1);
  EXPECT_EQ(DepthReadBacks(), 0);

  ToolPreviewList = nullptr;
  RedrawView(&pane);
  EXPECT_EQ(DepthReadBacks(), 1);
}

TEST_F(RenderViewTest, ShadedDepthsAreReadBackTopRowFirstWithTheirEmptyDepth) {
  gl.readDepth = 0.0f;
  pane.displayMode = 100;
  RedrawView(&pane);
  // The cleared depth buffer, in screen units: -25 x (height - 1) at zoom 1 as at any zoom.
  EXPECT_NEAR(view.depth->emptyDepth, -2500.0f, 0.01f);
  EXPECT_EQ(view.depth->data, std::vector<float>(120 * 101, view.depth->emptyDepth));
}

TEST_F(RenderViewTest, WithoutOpenGlTheMessageComesOnceAfterTheFrameAndFramesStillShowCurves) {
  struct Case {
    GlFrameStatus status;
    const char* text;
  };
  for (const Case& c : {Case{GlFrameStatus::kNoPixelFormat, "ChoosePixelFormat failed"},
                        Case{GlFrameStatus::kNoContext, "SetPixelFormat failed"}}) {
    SCOPED_TRACE(c.text);
    Restart();
    gl.status = c.status;
    Add(Curve());
    pane.displayMode = 100;
    for (int frame = 0; frame < 2; ++frame) {
      view.canvas.fills.clear();
      view.canvas.polylines.clear();
      view.depth->data.assign(view.depth->data.size(), 7.0f);
      RedrawView(&pane);
      EXPECT_TRUE(Headless().messages.empty());
      ASSERT_EQ(view.canvas.fills.size(), 1u);
      EXPECT_EQ(view.canvas.fills[0], (RecordingCanvas::Fill{0, 0, 120, 101, ColorBack}));
      EXPECT_GT(PolylinesIn(LayerColors[0]), 0);
      EXPECT_EQ(view.depth->data[0], view.depth->emptyDepth);
    }
    EXPECT_EQ(gl.Count("BeginFrame"), 1);  // no further attempts
    ProgramCommandQueue().Drain();
    ASSERT_EQ(Headless().messages.size(), 1u);
    EXPECT_EQ(Headless().messages[0].text, c.text);
    EXPECT_EQ(Headless().messages[0].caption, "Error");
  }
}

TEST_F(RenderViewTest, AZoomThatIsNotPositiveDrawsTheBackgroundWithoutOpenGl) {
  pane.displayMode = 100;
  pane.zoomScale = 0.0f;
  RedrawView(&pane);
  EXPECT_TRUE(gl.calls.empty());
  ASSERT_EQ(view.canvas.fills.size(), 1u);
  ProgramCommandQueue().Drain();
  EXPECT_TRUE(Headless().messages.empty());
}

TEST_F(RenderViewTest, RedrawsAndResizesAskedDuringAFrameWaitForIt) {
  CViewport other;
  other.SetSize(40, 30);
  TestView<RecordingCanvas> otherView;
  std::vector<std::string> log;
  RegisterActiveViewRenderer([&](int) {
    log.push_back("render");
    // What the abort check's pump may let through while the renderer draws: another view's
    // paint asking for its redraw, and a resize of this view.
    CanvasView* previous = SetDrawingView(&otherView);
    RedrawView(&other);
    SetDrawingView(previous);
    ResizeDepthRaster(&view.depth, 60, 50, view.CanvasLife());
    EXPECT_TRUE(otherView.canvas.fills.empty());
    EXPECT_EQ(view.depth->width, 120);
    log.push_back("rendered");
  });
  pane.displayMode = 400;
  RedrawView(&pane);
  EXPECT_EQ(log, (std::vector<std::string>{"render", "rendered"}));
  // After the frame: the other pane drawn into the view it was asked for, the raster resized.
  ASSERT_EQ(otherView.canvas.fills.size(), 1u);
  EXPECT_EQ(otherView.canvas.fills[0], (RecordingCanvas::Fill{0, 0, 40, 30, ColorBack}));
  EXPECT_TRUE(view.canvas.fills.empty());
  EXPECT_EQ(view.depth->width, 60);
  EXPECT_FALSE(ViewFrameRunning());
}

// What waits for the frame goes with the pane, the drawing view or the raster's owner that asked
// for it: nothing reads them once they are gone.
TEST_F(RenderViewTest, WorkWaitingForAFrameIsDroppedWhenWhatItServesGoes) {
  struct RasterOwner {
    LifeToken life;
    std::unique_ptr<DepthRaster> depth;
  };
  CViewport other;
  other.SetSize(40, 30);
  RegisterActiveViewRenderer([&](int) {
    auto gonePane = std::make_unique<CViewport>();
    gonePane->SetSize(40, 30);
    RedrawView(gonePane.get());
    gonePane.reset();

    auto goneView = std::make_unique<TestView<RecordingCanvas>>();
    CanvasView* previous = SetDrawingView(goneView.get());
    RedrawView(&other);
    SetDrawingView(previous);
    goneView.reset();

    auto owner = std::make_unique<RasterOwner>();
    ResizeDepthRaster(&owner->depth, 60, 50, owner->life);
    owner.reset();
  });
  pane.displayMode = 400;
  RedrawView(&pane);
  EXPECT_FALSE(ViewFrameRunning());
  // Neither redraw fell back on the drawing view of the frame.
  EXPECT_TRUE(view.canvas.fills.empty());
  EXPECT_EQ(GetDrawingView(), &view);
}

// The screen pixel of a model point under the current projection.
int PixelX(Vector3 point) {
  return static_cast<int>(std::trunc(TransformPoint(point, GetViewTransform()).x + 0.5f));
}

// A frame's objects: seeded curves and surfaces within the pane, at the steps given.
class FrameBudgetTest : public RenderViewTest {
 protected:
  struct Design {
    int curves, surfaces, curveSteps, surfaceSteps;
  };

  void AddDesign(const Design& d) {
    std::mt19937 random(48);
    std::uniform_real_distribution<float> coordinate(-20.0f, 20.0f);
    const auto point = [&] { return Vector3{coordinate(random), coordinate(random), coordinate(random)}; };
    for (int k = 0; k < d.curves; ++k) {
      auto curve = std::make_unique<CCurveObject>();
      std::vector<Vector3> points(12);
      for (Vector3& p : points) p = point();
      curve->SetPoints(12, std::move(points));
      curve->stepsPerSpan = d.curveSteps;
      curve->closed = k % 2;
      curve->controlPointsHidden = 1;
      Add(std::move(curve), k % 3 == 0 ? kStateSelected : kStateShown);
    }
    for (int k = 0; k < d.surfaces; ++k) {
      auto surface = std::make_unique<CSurfaceObject>();
      surface->rows = 6;
      surface->columns = 7;
      std::vector<Vector3> points(42);
      for (Vector3& p : points) p = point();
      surface->SetPoints(42, std::move(points));
      surface->displayStepsU = surface->outputStepsU = d.surfaceSteps;
      surface->displayStepsV = surface->outputStepsV = d.surfaceSteps + 1;
      surface->closedV = k % 2;
      Add(std::move(surface));
    }
  }

  // The pixels a frame drew along its lines and the points it shaded.
  struct Frame {
    std::vector<RecordingCanvas::Polyline> polylines;
    std::vector<RecordingGl::Draw> draws;
    std::size_t Points() const {
      std::size_t points = 0;
      for (const RecordingCanvas::Polyline& p : polylines) points += p.vertices.size();
      for (const RecordingGl::Draw& draw : draws) points += draw.vertices.size();
      return points;
    }
  };

  Frame Draw(int mode) {
    view.canvas.polylines.clear();
    gl.draws.clear();
    pane.displayMode = mode;
    RedrawView(&pane);
    return {view.canvas.polylines, gl.draws};
  }
};

bool SameFrame(const std::vector<RecordingCanvas::Polyline>& a, const std::vector<RecordingCanvas::Polyline>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const auto& p, const auto& q) { return p.color == q.color && p.vertices == q.vertices; });
}

bool SameDraws(const std::vector<RecordingGl::Draw>& a, const std::vector<RecordingGl::Draw>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& p, const auto& q) {
    return p.mode == q.mode && p.vertices == q.vertices && p.normals == q.normals;
  });
}

// A design of a few hundred objects at ordinary steps takes a small part of the budget and draws
// every line and shaded point exactly as a frame without a budget does.
TEST_F(FrameBudgetTest, AnOrdinaryDesignDrawsAsWithoutABudget) {
  for (const int mode : {kDisplayQuickWire, kDisplayNormalWire, kDisplayMeshWire, kDisplayFastShading}) {
    SCOPED_TRACE(mode);
    Restart();
    AddDesign({300, 40, 16, 8});
    Frame unbounded;
    {
      const FramePointBudget outer(std::int64_t{1} << 60);  // the frame keeps this one
      unbounded = Draw(mode);
      EXPECT_LT(FramePointsTaken(), kFramePointBudget / 4);
    }
    Restart();
    AddDesign({300, 40, 16, 8});
    const Frame budgeted = Draw(mode);
    EXPECT_GT(budgeted.Points(), 10000u);
    EXPECT_TRUE(SameFrame(budgeted.polylines, unbounded.polylines));
    EXPECT_TRUE(SameDraws(budgeted.draws, unbounded.draws));
  }
}

// Curves and surfaces at 2^16 steps ask for tens of millions of points a frame; each frame draws
// about its budget (here a smaller one, which the frame keeps, counting every request as an
// oversized one is counted), every object at least its control polygon, and the next frame the same.
TEST_F(FrameBudgetTest, AHostileDesignDrawsAboutTheBudgetEachFrame) {
  AddDesign({64, 16, 1 << 16, 1 << 16});
  constexpr std::size_t kBudget = 1 << 17;
  // What the objects past the budget still draw: their control polygons, and each surface's iso-
  // curves through them.
  const std::size_t polygons = 64 * 13 + 16 * (6 + 7) * 14;
  struct Case {
    int mode;
    std::size_t perPoint;  // vertices drawn per point evaluated: a mesh wire frame's net runs both
                           // ways, a shaded quad names its four corners
  };
  for (const Case c : {Case{kDisplayQuickWire, 1}, Case{kDisplayNormalWire, 1}, Case{kDisplayMeshWire, 2},
                       Case{kDisplayFastShading, 4}}) {
    SCOPED_TRACE(c.mode);
    std::size_t points[2];
    for (std::size_t& drawn : points) {
      const FramePointBudget frame(kBudget, 0);
      const Frame f = Draw(c.mode);
      drawn = f.Points();
      int selectedDrawn = 0;
      for (const RecordingCanvas::Polyline& p : f.polylines) selectedDrawn += p.color == ColorPick ? 1 : 0;
      EXPECT_GE(selectedDrawn, 22);  // every selected curve
    }
    EXPECT_LE(points[0], c.perPoint * kBudget + polygons);
    EXPECT_GT(points[0], kBudget / 2);
    // Wire frames evaluate again from a budget of their own; shaded frames keep their shading.
    if (c.mode != kDisplayFastShading) EXPECT_EQ(points[1], points[0]);
  }
}

class GridTest : public RenderViewTest {
 protected:
  std::vector<RecordingCanvas::Polyline> In(ColorRef color) const {
    std::vector<RecordingCanvas::Polyline> found;
    for (const RecordingCanvas::Polyline& polyline : view.canvas.polylines) {
      if (polyline.color == color) found.push_back(polyline);
    }
    return found;
  }
};

TEST_F(GridTest, GridStartsOnATenStepMultipleOutsideTheViewAndAxesCrossTheOrigin) {
  // The view shows about +-29.75 across and +-25 up: grid lines from -100 to 100 both ways.
  RedrawView(&pane);
  const std::vector<RecordingCanvas::Polyline> grid = In(ColorGrid);
  ASSERT_EQ(grid.size(), 42u);
  EXPECT_EQ(grid.front().vertices.front().x, PixelX({-100, 0, 0}));
  EXPECT_EQ(grid[20].vertices.front().x, PixelX({100, 0, 0}));
  const std::vector<RecordingCanvas::Polyline> axes = In(ColorAxis);
  ASSERT_EQ(axes.size(), 2u);
  EXPECT_EQ(axes[0].vertices[0].x, 60);
  EXPECT_EQ(axes[0].vertices[1].x, 60);
  EXPECT_EQ(axes[1].vertices[0].y, 50);
  EXPECT_EQ(axes[1].vertices[1].y, 50);

  // A Top view draws its grid over x and y.
  view.canvas.polylines.clear();
  pane.viewType = kViewTop;
  pane.SetAxes(0, 1, 2, 1, 1, 1);
  RedrawView(&pane);
  EXPECT_EQ(In(ColorGrid).size(), 42u);
  EXPECT_EQ(In(ColorAxis).size(), 2u);
}

TEST_F(GridTest, OnlyTheAxesWithTheGridOffOrTooFineAndNoneInA3DView) {
  struct Case {
    const char* name;
    float spacing;
    float zoom;
  };
  for (const Case& c : {Case{"grid off", 0.0f, 1.0f}, Case{"one pixel apart", 0.5f, 1.0f},
                        Case{"far out", 0.01f, 0.001f}}) {
    SCOPED_TRACE(c.name);
    view.canvas.polylines.clear();
    GridSpacing = c.spacing;
    pane.zoomScale = c.zoom;
    RedrawView(&pane);
    EXPECT_TRUE(In(ColorGrid).empty());
    EXPECT_EQ(In(ColorAxis).size(), 2u);
  }

  view.canvas.polylines.clear();
  pane.viewType = kView3D;
  RedrawView(&pane);
  EXPECT_TRUE(view.canvas.polylines.empty());
}

TEST_F(GridTest, EachLineIsPlacedFromItsIndex) {
  // 2000 pixels a unit over 210001 pixels: +-52.5 across, lines every 0.1 from -53. A running
  // sum would have drifted a pixel by line 1000.
  pane.SetSize(210001, 101);
  pane.zoomScale = 1000.0f;
  GridSpacing = 0.1f;
  RedrawView(&pane);
  const std::vector<RecordingCanvas::Polyline> grid = In(ColorGrid);
  ASSERT_GT(grid.size(), 1000u);
  EXPECT_EQ(grid[0].vertices[0].x, PixelX({-53.0f, 0, 0}));
  EXPECT_EQ(grid[1000].vertices[0].x, PixelX({-53.0f + 1000.0f * 0.1f, 0, 0}));
}

TEST_F(GridTest, MoreLinesThanThePaneHasPixelsLeaveOnlyTheAxes) {
  struct Case {
    const char* name;
    float offset;  // of the design from the origin
    int width;
    int gridLines;  // at least, when not 0
    int axisLines;
  };
  // Far out a float step is coarser than the grid: the lines' own coordinates stop moving.
  const Case cases[] = {
      {"near the origin", 0.0f, 120, 100, 2},
      {"a pane with fewer columns than lines", 0.0f, 10, 0, 2},
      {"at 1e16", 1e16f, 120, 0, 0},
      {"at 1e20", 1e20f, 120, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    pane.SetSize(c.width, 101);
    GridSpacing = 1.0f;  // 2 pixels apart at zoom 1
    // Too small to fit: Zoom All centres it at zoom 1.
    auto curve = Curve();
    curve->SetPoints(2, {{c.offset, 0, c.offset}, {c.offset + 0.0001f, 0, c.offset}});
    Add(std::move(curve));
    ZoomAll();  // redraws
    EXPECT_EQ(pane.zoomScale, 1.0f);
    if (c.gridLines == 0) {
      EXPECT_EQ(PolylinesIn(ColorGrid), 0);
    } else {
      EXPECT_GT(PolylinesIn(ColorGrid), c.gridLines);
    }
    EXPECT_EQ(PolylinesIn(ColorAxis), c.axisLines);
  }
}

class DepthPixelTest : public RenderViewTest {};

TEST_F(DepthPixelTest, CellsWrapAndAMissingRasterGivesAScratchCellAtTheEmptyDepth) {
  ResizeDepthRaster(&view.depth, 4, 3, view.CanvasLife());
  for (int i = 0; i < 12; ++i) view.depth->data[i] = static_cast<float>(i);
  struct Case {
    int x, y;
    float value;
  };
  for (const Case& c : {Case{-1, 0, 3.0f}, Case{4, 3, 0.0f}, Case{-5, -1, 11.0f}, Case{2, 1, 6.0f}}) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    EXPECT_EQ(*GetDepthPixel(c.x, c.y), c.value);
  }
  *GetDepthPixel(5, 0) = -1.0f;
  EXPECT_EQ(view.depth->data[1], -1.0f);

  // Without cells: a scratch cell at the pane's empty depth, whatever was written to it.
  for (const bool none : {false, true}) {
    SCOPED_TRACE(none);
    view.depth = none ? nullptr : std::make_unique<DepthRaster>();
    float* cell = GetDepthPixel(-7, 9);
    EXPECT_EQ(*cell, -2500.0f);
    *cell = 1.0f;
    EXPECT_EQ(*GetDepthPixel(0, 0), -2500.0f);
  }
}

TEST_F(DepthPixelTest, SampleGridsStayWithinTheRaster) {
  ResizeDepthRaster(&view.depth, 4, 4, view.CanvasLife());
  for (int i = 0; i < 16; ++i) view.depth->data[i] = static_cast<float>(i);
  std::vector<float> samples(27, -1.0f);
  EXPECT_EQ(SampleViewDepthGrid(samples.data(), 1, 5, 1, 2), samples.data() + 27);
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    const float column = samples[3 * i];
    const float row = samples[3 * i + 1];
    EXPECT_TRUE(column >= 0 && column <= 3 && row >= 0 && row <= 3);
    EXPECT_EQ(samples[3 * i + 2], row * 4 + column);
  }
  // Rows from the top down, each from the left: the corners come first and last.
  EXPECT_EQ(samples[0], 0.0f);
  EXPECT_EQ(samples[1], 0.0f);
  EXPECT_EQ(samples[24], 3.0f);
  EXPECT_EQ(samples[25], 3.0f);

  view.depth = nullptr;
  EXPECT_EQ(SampleViewDepthGrid(samples.data(), 1, 5, 60, 50), samples.data() + 27);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(samples[3 * i + 2], -2500.0f);
  EXPECT_EQ(SampleViewDepthGrid(samples.data(), -1, 5, 60, 50), samples.data());
}

}  // namespace

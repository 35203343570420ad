#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "recording_canvas.h"
#include "scene/drawing_context.h"
#include "scene/viewport.h"
#include "scene/wireframe.h"

namespace {

using Polyline = RecordingCanvas::Polyline;
using Vertex = RecordingCanvas::Vertex;

bool IsMarker(const Polyline& p) {
  if (p.vertices.size() != 5) return false;
  const Vertex& a = p.vertices[0];
  return p.vertices[1] == Vertex{a.x + 4, a.y} && p.vertices[2] == Vertex{a.x + 4, a.y + 4} &&
         p.vertices[3] == Vertex{a.x, a.y + 4} && p.vertices[4] == a;
}

int CountMarkers(const std::vector<Polyline>& polylines) {
  int count = 0;
  for (const Polyline& p : polylines) count += IsMarker(p) ? 1 : 0;
  return count;
}

std::vector<std::size_t> VertexCounts(const std::vector<Polyline>& polylines) {
  std::vector<std::size_t> counts;
  for (const Polyline& p : polylines) counts.push_back(p.vertices.size());
  return counts;
}

// Objects draw on a recording target with screen pixels equal to model units.
class WireframeTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetDrawingView(&view);
    SetDrawColor(0x0000AA);
  }
  void TearDown() override {
    SetDrawingView(nullptr);
    LumidrexTest::TearDown();
  }
  std::vector<Polyline> Drawn(CGeomObject& object, int mode) {
    view.canvas.polylines.clear();
    const ScreenSpaceDrawing pixels;
    object.Draw(mode);
    return view.canvas.polylines;
  }
  // What DrawNumberLabel draws for each text at each point, in order.
  std::vector<Polyline> Labels(const std::vector<std::pair<Vector3, std::string>>& labels) {
    view.canvas.polylines.clear();
    const ScreenSpaceDrawing pixels;
    for (const auto& [at, text] : labels) DrawNumberLabel(at, text);
    return view.canvas.polylines;
  }
  TestView<RecordingCanvas> view;
};

std::unique_ptr<CCurveObject> Curve(std::vector<Vector3> points, int steps, int hidden = 1) {
  auto curve = std::make_unique<CCurveObject>();
  const int count = static_cast<int>(points.size());
  curve->SetPoints(count, std::move(points));
  curve->stepsPerSpan = steps;
  curve->controlPointsHidden = hidden;
  return curve;
}

bool SamePolylines(const std::vector<Polyline>& a, const std::vector<Polyline>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].vertices != b[i].vertices) return false;
  }
  return true;
}

TEST_F(WireframeTest, CoincidentControlPointsShareOneLabel) {
  const std::vector<Vector3> points = {{10, 10, 0},  {100, 10, 0}, {200, 10, 0}, {200, 10, 0},
                                       {300, 50, 0}, {300, 50, 0}, {300.00005f, 50, 0}, {400, 10, 0}};
  auto curve = Curve(points, 1, 0);
  const std::vector<Polyline> drawn = Drawn(*curve, kDrawFeedback);
  const std::vector<Polyline> labels =
      Labels({{points[0], "0"}, {points[1], "1"}, {points[2], "2.3"}, {points[4], "4..6"}, {points[7], "7"}});
  // The control polygon, a marker per point, then the labels.
  ASSERT_EQ(drawn.size(), 1 + 8 + labels.size());
  EXPECT_EQ(CountMarkers({drawn.begin() + 1, drawn.begin() + 9}), 8);
  EXPECT_TRUE(SamePolylines({drawn.begin() + 9, drawn.end()}, labels));
}

TEST_F(WireframeTest, CurveStepsAndControlPolygon) {
  const std::vector<Vector3> three = {{10, 10, 0}, {110, 10, 0}, {110, 110, 0}};
  struct Case {
    const char* name;
    int steps;
    int mode;
    std::size_t vertices;  // s steps over two spans: 2 s + 1
  };
  const Case cases[] = {{"5 steps, quick", 5, 10, 5},  {"4 steps, quick", 4, 10, 5}, {"3 steps, quick", 3, 10, 7},
                        {"5 steps, normal", 5, 0, 11}, {"2 steps, quick", 2, 10, 5}};
  for (const Case& c : cases) {
    auto curve = Curve(three, c.steps);
    EXPECT_EQ(VertexCounts(Drawn(*curve, c.mode)), std::vector<std::size_t>{c.vertices}) << c.name;
  }

  auto open = Curve(three, 1);
  EXPECT_EQ(Drawn(*open, 0)[0].vertices, (std::vector<Vertex>{{10, 10}, {110, 10}, {110, 110}}));
  auto closed = Curve(three, 0);
  closed->closed = 1;
  EXPECT_EQ(Drawn(*closed, 0)[0].vertices, (std::vector<Vertex>{{10, 10}, {110, 10}, {110, 110}, {10, 10}}));

  // The sampled curve reaches the end points of an open curve.
  auto smooth = Curve(three, 8);
  const std::vector<Polyline> sampled = Drawn(*smooth, 0);
  EXPECT_EQ(sampled[0].vertices.front(), (Vertex{10, 10}));
  EXPECT_EQ(sampled[0].vertices.back(), (Vertex{110, 110}));

  auto empty = Curve({}, 8, 0);
  EXPECT_TRUE(Drawn(*empty, 1).empty());
}

// A 4 x 4 grid over a square of the given side from (10, 10), open, all attributes 0.
std::unique_ptr<CSurfaceObject> Surface(float side, int steps, int hidden = 1) {
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> points;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) points.push_back({10 + side * static_cast<float>(j) / 3.0f, 10 + side * static_cast<float>(i) / 3.0f, 0});
  }
  surface->SetPoints(16, std::move(points));
  surface->rows = surface->columns = 4;
  surface->displayStepsU = surface->displayStepsV = steps;
  surface->controlPointsHidden = hidden;
  return surface;
}

// Step counts stored far beyond what a view can show are drawn with fewer: a curve's spans x steps
// within 2^16, a surface net within 2^9 each way so that it is still drawn. The stored counts are
// kept.
TEST_F(WireframeTest, HugeStepCountsAreDrawnBounded) {
  auto curve = Curve({{10, 10, 0}, {110, 10, 0}, {110, 110, 0}, {10, 110, 0}}, 1 << 20);
  const std::vector<Polyline> drawn = Drawn(*curve, 0);
  ASSERT_FALSE(drawn.empty());
  EXPECT_GT(drawn[0].vertices.size(), 1000u);
  EXPECT_LE(drawn[0].vertices.size(), std::size_t{1} << 16 | 1);
  EXPECT_EQ(curve->stepsPerSpan, 1 << 20);

  auto surface = Surface(100, 1 << 20);
  std::size_t vertices = 0;
  for (const Polyline& p : Drawn(*surface, kDisplayMeshWire)) vertices += p.vertices.size();
  EXPECT_GT(vertices, 1000u);
  EXPECT_LE(vertices, std::size_t{2} << 18);
  EXPECT_EQ(surface->displayStepsU, 1 << 20);
}

TEST_F(WireframeTest, SurfaceIsoCurvesThinWithTheirScreenSize) {
  struct Case {
    float side;
    std::size_t vertices;  // each iso-curve: s steps over 3 spans of the extended 4-point line
  };
  // Steps 8 become (8 + n) / (n + 1): n = 4 below 16 pixels, 3 below 32, 2 below 64, else 1.
  for (const Case& c : {Case{10, 3 * 2 + 1}, Case{20, 3 * 2 + 1}, Case{40, 3 * 3 + 1}, Case{100, 3 * 4 + 1}}) {
    auto surface = Surface(c.side, 8);
    // Four knots each way, so four iso-curves along the columns, then four along the rows.
    EXPECT_EQ(VertexCounts(Drawn(*surface, 0)), std::vector<std::size_t>(8, c.vertices)) << c.side;
  }
  // Steps 0: the control rows and columns themselves.
  auto net = Surface(30, 0);
  const std::vector<Polyline> drawn = Drawn(*net, 0);
  ASSERT_EQ(drawn.size(), 8u);
  EXPECT_EQ(drawn[0].vertices, (std::vector<Vertex>{{10, 10}, {10, 20}, {10, 30}, {10, 40}}));
  EXPECT_EQ(drawn[4].vertices, (std::vector<Vertex>{{10, 10}, {20, 10}, {30, 10}, {40, 10}}));
}

TEST_F(WireframeTest, SurfaceQuickAndFullGrids) {
  auto surface = Surface(300, 8);
  // Quick: the middle row, then the middle column, each at (8 + 1) / 2 steps.
  EXPECT_EQ(VertexCounts(Drawn(*surface, 10)), std::vector<std::size_t>(2, 3 * 4 + 1));
  // Any other positive mode: every row and column of the tessellation, 25 x 25 points.
  const std::vector<Polyline> full = Drawn(*surface, 20);
  EXPECT_EQ(VertexCounts(full), std::vector<std::size_t>(50, 25));
  EXPECT_EQ(full[0].vertices.front(), (Vertex{10, 10}));
  EXPECT_EQ(full[24].vertices.back(), (Vertex{310, 310}));
}

TEST_F(WireframeTest, HiddenControlPointsAcrossModes) {
  struct Case {
    int mode;
    int hidden;
    bool curveMarkers;
    bool surfaceMarkers;
  };
  const Case cases[] = {
      {0, 0, true, true},     {0, 1, false, false},  {kDrawFeedback, 0, true, false}, {kDrawFeedback, 1, true, false},
      {10, 0, false, false},  {10, 1, false, false}, {20, 0, true, false},           {20, 1, false, false},
      {-1, 0, true, true},    {-1, 1, false, false},
  };
  for (const Case& c : cases) {
    auto curve = Curve({{10, 10, 0}, {110, 10, 0}, {110, 110, 0}}, 4, c.hidden);
    auto surface = Surface(300, 4, c.hidden);
    EXPECT_EQ(CountMarkers(Drawn(*curve, c.mode)) > 0, c.curveMarkers) << "curve, mode " << c.mode << ", hidden " << c.hidden;
    EXPECT_EQ(CountMarkers(Drawn(*surface, c.mode)) > 0, c.surfaceMarkers) << "surface, mode " << c.mode << ", hidden " << c.hidden;
  }
}

TEST_F(WireframeTest, MarkedPointsAreDrawnAgainInThePickedColour) {
  auto curve = Curve({{10, 10, 0}, {110, 10, 0}, {110, 110, 0}}, 1, 0);
  curve->marks[1] = 1;
  for (const int mode : {0, 20, kDrawFeedback}) {
    const std::vector<Polyline> drawn = Drawn(*curve, mode);
    const Polyline& last = drawn.back();
    if (mode == kDrawFeedback) {
      EXPECT_EQ(last.color, 0x0000AAu);  // a label, not a marked point
      continue;
    }
    EXPECT_TRUE(IsMarker(last)) << mode;
    EXPECT_EQ(last.vertices[0], (Vertex{108, 8})) << mode;
    EXPECT_EQ(last.color, 0xFFFFFFu) << mode;
    EXPECT_EQ(SetDrawColor(0x0000AA), 0x0000AAu) << "the colour is restored";
  }
}

TEST_F(WireframeTest, SurfacesWhoseGridDoesNotFitDrawNothing) {
  auto surface = Surface(300, 8, 0);
  surface->rows = 5;  // 5 x 4 points needed, 16 held
  for (const int mode : {0, 1, 10, -1}) EXPECT_TRUE(Drawn(*surface, mode).empty()) << mode;
  auto thin = Surface(300, 8, 0);
  thin->rows = 1;
  thin->columns = 16;
  for (const int mode : {0, 1, 10}) Drawn(*thin, mode);  // no fault under the sanitizers
}

// Triangles with vertices of their own: face f at a pixel of its own, its first edge one pixel
// long.
std::unique_ptr<CMeshObject> Triangles(int faces) {
  auto mesh = std::make_unique<CMeshObject>();
  std::vector<Vector3> points;
  for (int f = 0; f < faces; ++f) {
    const float x = static_cast<float>(10 + f % 200 * 5), y = static_cast<float>(10 + f / 200 * 5);
    points.insert(points.end(), {{x, y, 0}, {x + 1, y, 0}, {x, y + 1, 0}});
    mesh->faceSizes.push_back(3);
    mesh->faceIndices.insert(mesh->faceIndices.end(), {3 * f, 3 * f + 1, 3 * f + 2});
  }
  mesh->SetPoints(static_cast<int>(points.size()), points);
  return mesh;
}

Vertex FirstVertexOfFace(int f) { return {10 + f % 200 * 5, 10 + f / 200 * 5}; }

TEST_F(WireframeTest, LargeMeshesAreThinnedByFaceCount) {
  auto mesh = Triangles(20000);  // k = 20000 / 16000 + 1 = 2
  struct Case {
    int mode;
    int faceStep;
    std::size_t vertices;  // 2 for one edge, 4 for a closed triangle
  };
  for (const Case& c : {Case{10, 4, 2}, Case{-1, 2, 4}, Case{0, 1, 2}, Case{kDrawFeedback, 1, 4}}) {
    const std::vector<Polyline> drawn = Drawn(*mesh, c.mode);
    ASSERT_EQ(drawn.size(), static_cast<std::size_t>(20000 / c.faceStep)) << c.mode;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      ASSERT_EQ(drawn[i].vertices.size(), c.vertices) << c.mode;
      ASSERT_EQ(drawn[i].vertices[0], FirstVertexOfFace(static_cast<int>(i) * c.faceStep)) << c.mode << ", " << i;
    }
  }
  // Up to 4096 faces, normal wire frame draws whole faces.
  auto small = Triangles(4096);
  EXPECT_EQ(VertexCounts(Drawn(*small, 0)), std::vector<std::size_t>(4096, 4));
}

TEST_F(WireframeTest, MeshesDrawOnlyWhatTheirArraysHold) {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(3, {{10, 10, 0}, {20, 10, 0}, {20, 20, 0}});
  mesh->controlPointsHidden = 0;
  // A one-vertex face, a face with indices -1 and 3 (the vertex count), a good edge, and a face
  // that runs past the index list.
  mesh->faceSizes = {1, 3, 2, 5};
  mesh->faceIndices = {1, 0, -1, 3, 0, 2, 1, 2};

  EXPECT_EQ(Drawn(*mesh, 10).front().vertices, (std::vector<Vertex>{{10, 10}, {20, 20}}));
  for (const int mode : {kDrawFeedback, -1}) {
    const std::vector<Polyline> drawn = Drawn(*mesh, mode);
    ASSERT_GE(drawn.size(), 3u) << mode;
    EXPECT_EQ(drawn[0].vertices, (std::vector<Vertex>{{20, 10}, {20, 10}})) << mode;
    EXPECT_EQ(drawn[1].vertices, (std::vector<Vertex>{{10, 10}, {10, 10}})) << mode;
    EXPECT_EQ(drawn[2].vertices, (std::vector<Vertex>{{10, 10}, {20, 20}, {10, 10}})) << mode;
    // Then a marker per vertex, except in the negative modes.
    EXPECT_EQ(CountMarkers(drawn), mode < 0 ? 0 : 3) << mode;
    EXPECT_EQ(drawn.size(), mode < 0 ? 3u : 6u) << mode;
  }
  // Faces above the one-edge threshold with the same faults.
  mesh->faceSizes.insert(mesh->faceSizes.begin(), 5000, 1);
  mesh->faceIndices.insert(mesh->faceIndices.begin(), 5000, 7);
  for (const int mode : {0, 10, -1, kDrawFeedback}) Drawn(*mesh, mode);
}

TEST_F(WireframeTest, GemDrawsItsPrototypeUnderItsPlacement) {
  SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  // One model unit a pixel around the centre (100, 100) of a 201-pixel pane.
  SetViewportTransform(201, 201, 0.01f, -1);
  SetModelMatrix(kIdentityMatrix);
  CGemObject gem;
  gem.SetLibraryIndex(0);
  gem.placement = kIdentityMatrix;
  gem.placement[0] = gem.placement[5] = gem.placement[10] = 40;
  gem.placement[12] = 20;
  gem.Draw(kDisplayNormalWire);
  const std::vector<Polyline> drawn = view.canvas.polylines;
  EXPECT_EQ(GetModelMatrix(), kIdentityMatrix);

  view.canvas.polylines.clear();
  SetModelMatrix(gem.placement);
  ASSERT_NE(GemLibrary.Prototype(0), nullptr);
  GemLibrary.Prototype(0)->Draw(kDisplayNormalWire);
  EXPECT_FALSE(drawn.empty());
  EXPECT_TRUE(SamePolylines(drawn, view.canvas.polylines));
}

}  // namespace

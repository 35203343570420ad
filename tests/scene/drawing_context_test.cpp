#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <span>
#include <utility>
#include <vector>

#include "canvas_pixels.h"
#include "kernel/geom_object.h"
#include "platform/raster_canvas.h"
#include "program_state.h"
#include "recording_canvas.h"
#include "scene/drawing_context.h"
#include "scene/picking.h"

namespace {

using Vertex = RecordingCanvas::Vertex;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The outline of the rectangle with corners (left, top) and (right, bottom), both included.
std::vector<Pixel> Outline(int left, int top, int right, int bottom) {
  std::vector<Pixel> pixels;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (y == top || y == bottom || x == left || x == right) pixels.emplace_back(x, y);
    }
  }
  return pixels;
}

std::vector<Pixel> Merged(std::vector<Pixel> a, const std::vector<Pixel>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return RowOrder(a);
}

Matrix4 Translation(float x, float y, float z) {
  Matrix4 m = kIdentityMatrix;
  m[12] = x;
  m[13] = y;
  m[14] = z;
  return m;
}

Matrix4 Scale(float s) {
  Matrix4 m = kIdentityMatrix;
  m[0] = m[5] = m[10] = s;
  return m;
}

// Turns about a model axis (0 x, 1 y, 2 z) by the angle in radians.
Matrix4 Rotation(int axis, float angle) {
  const int i = (axis + 1) % 3, j = (axis + 2) % 3;
  Matrix4 m = kIdentityMatrix;
  m.at(i, i) = m.at(j, j) = std::cos(angle);
  m.at(i, j) = std::sin(angle);
  m.at(j, i) = -std::sin(angle);
  return m;
}

// A 41 x 41 pane whose screen is model x, y moved by (20, 20): pixels equal model units.
void ApplyUnitProjection() {
  SetViewportTransform(41, 41, 1.0f / 20.0f, 1);
  SetModelMatrix(kIdentityMatrix);
}

class DrawingContextTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetDrawingView(&raster);
    SetDrawColor(0xFFFFFF);
  }
  void TearDown() override {
    SetDrawingView(nullptr);
    LumidrexTest::TearDown();
  }
  TestView<RasterCanvas> raster{40, 40};
};

TEST_F(DrawingContextTest, MarkerOffsetsComeBeforeTheRounding) {
  const ScreenSpaceDrawing screen;
  BeginPolyline(kPolylineMarkers);
  EXPECT_EQ(AddPolylineVertex({10.3f, 20.7f, 0.0f}), 1);
  // Four sides of four pixels each, no pixel twice.
  EXPECT_EQ(LitPixels(raster.canvas), Outline(8, 19, 12, 23));

  TestView<RecordingCanvas> recording;
  SetDrawingView(&recording);
  AddPolylineVertex({-0.7f, 5.0f, 0.0f});  // -2.7 + 0.5 truncates to -2, not -3
  ASSERT_EQ(recording.canvas.polylines.size(), 1u);
  EXPECT_EQ(recording.canvas.polylines[0].vertices,
            (std::vector<Vertex>{{-2, 3}, {1, 3}, {1, 7}, {-2, 7}, {-2, 3}}));
}

TEST_F(DrawingContextTest, FarAndNonFiniteEndsAreSafe) {
  struct Case {
    const char* name;
    std::vector<std::pair<float, float>> points;  // a move, then lines
    std::vector<Pixel> pixels;
  };
  std::vector<Pixel> row5, diagonal;
  for (int i = 0; i < 40; ++i) row5.emplace_back(i, 5), diagonal.emplace_back(i, i);
  const Case cases[] = {
      {"far row", {{-1e9f, 5}, {1e9f, 5}}, row5},
      {"far diagonal", {{-1e9f, -1e9f}, {1e9f, 1e9f}}, diagonal},
      {"beyond the float range of ints", {{-1e30f, 5}, {3e38f, 5}}, row5},
      {"NaN start, then a fresh start", {{kNaN, 2}, {3, 3}, {6, 3}}, {{3, 3}, {4, 3}, {5, 3}}},
      {"NaN end, then a fresh start", {{1, 1}, {1, kNaN}, {3, 3}, {6, 3}}, {{3, 3}, {4, 3}, {5, 3}}},
      {"infinite ends", {{1, 1}, {kInfinity, 1}, {-kInfinity, 1}, {1, -kInfinity}}, {}},
  };
  for (const Case& c : cases) {
    raster.canvas = RasterCanvas(40, 40);
    SetDrawColor(0xFFFFFF);
    DrawMoveTo(c.points[0].first, c.points[0].second);
    for (std::size_t i = 1; i < c.points.size(); ++i) DrawLineTo(c.points[i].first, c.points[i].second);
    EXPECT_EQ(LitPixels(raster.canvas), c.pixels) << c.name;
  }
}

TEST_F(DrawingContextTest, WithoutAViewNothingIsDrawn) {
  SetDrawingView(nullptr);
  ApplyUnitProjection();
  DrawTransformedRect(1, 1, 5, 5);
  DrawMoveTo(0, 0);
  DrawLineTo(9, 9);
  EXPECT_TRUE(LitPixels(raster.canvas).empty());
  EXPECT_EQ(GetDrawingView(), nullptr);
}

TEST_F(DrawingContextTest, ThePenFollowsTheContextOntoANewTarget) {
  TestView<RecordingCanvas> first, second;
  SetDrawingView(&first);
  EXPECT_EQ(SetDrawColor(0x123456), 0xFFFFFFu);
  EXPECT_EQ(SetDrawingView(&second), &first);
  EXPECT_EQ(SetDrawingView(&second), &second);  // unchanged
  DrawMoveTo(1, 1);
  DrawLineTo(2, 2);
  ASSERT_EQ(second.canvas.polylines.size(), 1u);
  EXPECT_EQ(second.canvas.polylines[0].color, 0x123456u);
  EXPECT_TRUE(first.canvas.polylines.empty());
}

TEST_F(DrawingContextTest, ModelToScreenFollowsOnlySetModelMatrix) {
  EXPECT_EQ(GetViewTransform(), Matrix4());
  SetViewportTransform(101, 51, 2.0f, -1);
  EXPECT_EQ(GetViewTransform(), Matrix4());  // still the start value
  SetModelMatrix(kIdentityMatrix);
  const Matrix4 s = GetViewTransform();
  EXPECT_EQ(s.at(0, 0), 50.0f);
  EXPECT_EQ(s.at(1, 1), -50.0f);
  EXPECT_EQ(s.at(2, 2), 50.0f);
  EXPECT_EQ(s.at(3, 0), 50.0f);
  EXPECT_EQ(s.at(3, 1), 25.0f);

  // M := A x M: the scale acts first, in the object's own space, then the translation.
  SetModelMatrix(Translation(10, 0, 0));
  MultiplyModelMatrix(Scale(2));
  EXPECT_EQ(TransformPoint({1, 0, 0}, GetModelMatrix()), Vector3(12, 0, 0));
  EXPECT_EQ(GetViewTransform(), MatMultiply(GetModelMatrix(), MatMultiply(kIdentityMatrix, s)));
}

TEST_F(DrawingContextTest, UnprojectedPointsProjectBackOntoTheirPixel) {
  // A view turned about all three axes, so no model plane is seen edge-on; moved and zoomed.
  const Matrix4 turn = MatMultiply(MatMultiply(Rotation(2, 0.5f), Rotation(0, 0.3f)), Rotation(1, 0.7f));
  SetViewportTransform(640, 480, 1.7f / 25.0f, -1);
  SetModelMatrix(MatMultiply(turn, Translation(1.5f, -2.0f, 0.25f)));
  for (int axis = 0; axis < 3; ++axis) {
    Vector3 p(0.7f, -1.2f, 3.1f);
    const float kept = axis == 0 ? p.x : axis == 1 ? p.y : p.z;
    UnprojectToPlane(axis, 37, 412, &p);
    EXPECT_EQ(axis == 0 ? p.x : axis == 1 ? p.y : p.z, kept);
    const Vector3 screen = TransformPoint(p, GetViewTransform());
    EXPECT_NEAR(screen.x, 37.0f, 1e-3f);
    EXPECT_NEAR(screen.y, 412.0f, 1e-3f);
    // And back from its pixel onto its own plane.
    Vector3 again(0, 0, 0);
    (axis == 0 ? again.x : axis == 1 ? again.y : again.z) = kept;
    UnprojectToPlane(axis, 37, 412, &again);
    EXPECT_NEAR(again.x, p.x, 1e-4f);
    EXPECT_NEAR(again.y, p.y, 1e-4f);
    EXPECT_NEAR(again.z, p.z, 1e-4f);
  }
}

TEST_F(DrawingContextTest, UnprojectingOntoAPlaneSeenEdgeOnChangesNothing) {
  // A front view: screen x is model x, screen y is model z, depth is model y.
  Matrix4 front;
  front.at(0, 0) = 1;
  front.at(1, 2) = 1;
  front.at(2, 1) = 1;
  SetViewportTransform(101, 101, 2.0f / 25.0f, -1);
  SetModelMatrix(front);
  Vector3 p(1, 2, 3);
  UnprojectToPlane(2, 10, 20, &p);  // the plane z = 3 holds the view direction
  EXPECT_EQ(p, Vector3(1, 2, 3));
  UnprojectToPlane(1, 50, 50, &p);  // the plane y = 2 faces the viewer
  EXPECT_EQ(p, Vector3(0, 2, 0));
  UnprojectToPlane(7, 10, 20, &p);
  EXPECT_EQ(p, Vector3(0, 2, 0));
}

TEST_F(DrawingContextTest, TransformedRectDrawsInPixelsUnderAnyMatrices) {
  // The start matrices are singular; then a turned and zoomed view.
  DrawTransformedRect(2, 3, 7, 6);
  EXPECT_EQ(LitPixels(raster.canvas), Outline(2, 3, 7, 6));

  raster.canvas = RasterCanvas(40, 40);
  SetDrawColor(0xFFFFFF);
  Matrix4 turn = kIdentityMatrix;
  turn.at(0, 0) = turn.at(1, 1) = 0.6f;
  turn.at(0, 1) = 0.8f;
  turn.at(1, 0) = -0.8f;
  SetViewportTransform(40, 40, 3.3f, -1);
  SetModelMatrix(MatMultiply(turn, Translation(0.1f, 0.2f, 0.3f)));
  const Matrix4 model = GetModelMatrix();
  const Matrix4 screen = GetViewTransform();
  DrawTransformedRect(12, 30, 25, 33);
  EXPECT_EQ(LitPixels(raster.canvas), Outline(12, 30, 25, 33));
  EXPECT_EQ(GetModelMatrix(), model);
  EXPECT_EQ(GetViewTransform(), screen);
}

TEST_F(DrawingContextTest, ClosedPolylinesReturnToTheirFirstVertex) {
  TestView<RecordingCanvas> recording;
  SetDrawingView(&recording);
  ApplyUnitProjection();
  struct Case {
    int kind;
    std::vector<Vector3> points;
    std::vector<Vertex> drawn;
  };
  const Case cases[] = {
      {kPolylineOpen, {{0, 0, 0}, {5, 0, 0}, {5, 5, 0}}, {{20, 20}, {25, 20}, {25, 25}}},
      {kPolylineClosed, {{0, 0, 0}, {5, 0, 0}, {5, 5, 0}}, {{20, 20}, {25, 20}, {25, 25}, {20, 20}}},
      {kPolylineClosed, {{1, 1, 0}}, {{21, 21}, {21, 21}}},  // a zero-length line to itself
      {kPolylineClosed, {}, {}},
      {7, {{0, 0, 0}, {5, 0, 0}}, {}},  // counted, not drawn
  };
  for (const Case& c : cases) {
    recording.canvas.polylines.clear();
    BeginPolyline(c.kind);
    int count = 0;
    for (const Vector3& p : c.points) count = AddPolylineVertex(p);
    EXPECT_EQ(count, static_cast<int>(c.points.size()));
    EndPolyline();
    std::vector<Vertex> drawn;
    for (const auto& polyline : recording.canvas.polylines) {
      drawn.insert(drawn.end(), polyline.vertices.begin(), polyline.vertices.end());
    }
    EXPECT_EQ(drawn, c.drawn) << "kind " << c.kind << ", " << c.points.size() << " points";
  }
}

TEST_F(DrawingContextTest, NumberLabelsAdvanceCellByCell) {
  TestView<RecordingCanvas> recording;
  SetDrawingView(&recording);
  ApplyUnitProjection();
  const Vector3 anchor(0.3f, 10.4f, 0.0f);  // pixel (20.3, 30.4), anchored at (20, 30)

  DrawNumberLabel(anchor, "3.5");
  const auto& polylines = recording.canvas.polylines;
  ASSERT_EQ(polylines.size(), 4u);  // "3" has two strokes
  // The "5" starts 9 + 7 pixels right of the anchor.
  EXPECT_EQ(polylines[3].vertices,
            (std::vector<Vertex>{{37, 30}, {43, 30}, {43, 25}, {37, 25}, {37, 20}, {44, 20}}));

  recording.canvas.polylines.clear();
  DrawNumberLabel(anchor, "a1");
  ASSERT_EQ(polylines.size(), 1u);
  EXPECT_EQ(polylines[0].vertices, (std::vector<Vertex>{{27, 30}, {27, 19}}));
}

TEST_F(DrawingContextTest, NumberLabelPixels) {
  ApplyUnitProjection();
  DrawNumberLabel({-15.0f, -5.0f, 0.0f}, "0.");  // anchor pixel (5, 15)
  EXPECT_EQ(LitPixels(raster.canvas), Merged(Outline(6, 5, 12, 15), Outline(17, 13, 19, 15)));
}

TEST_F(DrawingContextTest, DibHeaderAndCopiesReachTheTarget) {
  const DibHeader header = GetDibHeader(3, -2);
  EXPECT_EQ(header.size, 40u);
  EXPECT_EQ(header.width, 3);
  EXPECT_EQ(header.height, -2);
  EXPECT_EQ(header.planes, 1);
  EXPECT_EQ(header.bitCount, 24);
  EXPECT_EQ(header.compression, 0u);

  const std::vector<std::uint8_t> rows = {1, 2, 3, 4, 5, 6, 0, 0};  // two pixels and padding
  BlitDib(1, 1, 2, 1, rows);
  StretchDib(0, 3, 4, 1, 0, 0, 2, 1, 2, 1, rows);
  EXPECT_EQ(raster.canvas.PixelAt(1, 1), 0x010203u);
  EXPECT_EQ(raster.canvas.PixelAt(2, 1), 0x040506u);
  EXPECT_EQ(raster.canvas.PixelAt(1, 3), 0x010203u);
  EXPECT_EQ(raster.canvas.PixelAt(2, 3), 0x040506u);
}

// A recording canvas that counts the batched calls it is given.
class BatchCountingCanvas : public RecordingCanvas {
 public:
  void DrawPolylines(std::span<const PixelPoint> points, std::span<const std::uint32_t> counts) override {
    ++batches;
    RecordingCanvas::DrawPolylines(points, counts);
  }
  int batches = 0;
};

// Seeded polylines in runs of three colours, open, closed and markers, overlapping, some leaving
// the canvas, some through far or non-finite points, with a picture copied among them: drawn
// batched they give the same pixels and the same lines in the same order as drawn one by one,
// in one call per run of a colour.
TEST_F(DrawingContextTest, BatchedLinesDrawWhatTheLinesOneByOneDraw) {
  const auto drawAll = [](bool batched) {
    std::mt19937 random(48);
    std::uniform_real_distribution<float> coordinate(-30.0f, 70.0f);
    std::uniform_int_distribution<int> pick(0, 19);
    const ColorRef colours[] = {0x0000FF, 0x00FF00, 0xFF0000};
    const std::vector<std::uint8_t> picture(DibRowBytes(3) * 2, 0x80);
    const std::optional<BatchedLines> lines = batched ? std::optional<BatchedLines>(std::in_place) : std::nullopt;
    const ScreenSpaceDrawing screen;
    for (int k = 0; k < 120; ++k) {
      SetDrawColor(colours[k / 10 % 3]);
      const int kind = pick(random) % 3;
      BeginPolyline(kind == 0 ? kPolylineOpen : kind == 1 ? kPolylineClosed : kPolylineMarkers);
      for (int i = pick(random) % 9 + 1; i > 0; --i) {
        const int odd = pick(random);
        AddPolylineVertex(odd == 0 ? Vector3{kNaN, 3, 0} : odd == 1 ? Vector3{-1e9f, 7, 0}
                                                          : Vector3{coordinate(random), coordinate(random), 0});
      }
      EndPolyline();
      if (k == 55) BlitDib(5, 5, 3, 2, picture);
    }
  };
  std::vector<std::uint8_t> pixels[2];
  for (const bool batched : {false, true}) {
    ResetDrawingContext();
    ApplyUnitProjection();
    TestView<RasterCanvas> canvas(40, 40);
    SetDrawingView(&canvas);
    drawAll(batched);
    SetDrawingView(nullptr);
    pixels[batched] = canvas.canvas.rows();
  }
  EXPECT_EQ(pixels[1], pixels[0]);
  std::vector<RecordingCanvas::Polyline> recorded[2];
  int batches[2] = {0, 0};
  for (const bool batched : {false, true}) {
    ResetDrawingContext();
    ApplyUnitProjection();
    TestView<BatchCountingCanvas> recording;
    SetDrawingView(&recording);
    drawAll(batched);
    SetDrawingView(nullptr);
    recorded[batched] = recording.canvas.polylines;
    batches[batched] = recording.canvas.batches;
  }
  ASSERT_EQ(recorded[1].size(), recorded[0].size());
  for (std::size_t k = 0; k < recorded[0].size(); ++k) {
    EXPECT_EQ(recorded[1][k].color, recorded[0][k].color);
    EXPECT_EQ(recorded[1][k].vertices, recorded[0][k].vertices);
  }
  EXPECT_EQ(batches[0], 0);
  EXPECT_EQ(batches[1], 13);  // twelve runs of a colour, one of them cut by the picture
}

TEST_F(DrawingContextTest, ResetRestoresTheStartState) {
  SetViewportTransform(100, 100, 1.0f, -1);
  SetModelMatrix(Translation(1, 2, 3));
  ResetDrawingContext();
  EXPECT_EQ(GetDrawingView(), nullptr);
  EXPECT_EQ(GetModelMatrix(), Matrix4());
  EXPECT_EQ(GetViewTransform(), Matrix4());
  EXPECT_EQ(SetDrawColor(0x10), 0u);
  SetModelMatrix(kIdentityMatrix);
  EXPECT_EQ(GetViewTransform(), Matrix4());  // V too is back at its start value
}

}  // namespace

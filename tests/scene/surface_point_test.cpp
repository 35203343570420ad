#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "platform/raster_canvas.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene_fixture.h"

namespace {

// A drawing view whose depth raster a test fills.
class DepthView : public CanvasView {
 public:
  DeviceContext& DrawingCanvas() override { return canvas; }
  DepthRaster* ViewDepthRaster() override { return raster.get(); }
  RasterCanvas canvas{201, 201};
  std::unique_ptr<DepthRaster> raster;
};

// A 201 x 201 top view; the raster holds the depths of the surface z = height(x, y), or of
// nothing where height gives NaN.
class SurfacePointTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    view.SetSize(201, 201);
    view.SetAxes(0, 1, 2, 1, 1, 1);
    SetDrawingView(&depthView);
  }
  void TearDown() override {
    SetDrawingView(nullptr);
    SceneTest::TearDown();
  }

  void Fill(float zoom, const std::function<float(float, float)>& height) {
    view.zoomScale = zoom;
    view.ApplyProjection();
    ResizeDepthRaster(&depthView.raster, 201, 201, depthView.CanvasLife());
    const Matrix4 toScreen = GetViewTransform();
    const Matrix4 toModel = GetInverseViewTransform();
    for (int row = 0; row < 201; ++row) {
      for (int column = 0; column < 201; ++column) {
        const Vector3 onPlane = TransformPoint({static_cast<float>(column), static_cast<float>(row), 0}, toModel);
        const float z = height(onPlane.x, onPlane.y);
        if (std::isnan(z)) continue;
        depthView.raster->data[static_cast<std::size_t>(row * 201 + column)] =
            TransformPoint({onPlane.x, onPlane.y, z}, toScreen).z;
      }
    }
  }

  DepthView depthView;
};

TEST_F(SurfacePointTest, EmptyBackgroundLiesOnTheViewPlaneAtAnyZoom) {
  for (const float zoom : {1.0f, 0.01f}) {
    Fill(zoom, [](float, float) { return NAN; });
    Vector3 point(5, 5, 5);
    UnprojectPoint(&point, 120, 80);
    EXPECT_EQ(point.z, 0.0f) << zoom;
    EXPECT_NEAR(point.x, 20.0f * 25.0f / 100.0f / zoom, 0.01f / zoom) << zoom;
    Matrix4 frame;
    PickPointInView(&frame, 120, 80);
    EXPECT_EQ(frame.at(3, 2), 0.0f) << zoom;
    EXPECT_EQ(frame.at(3, 3), 1.0f) << zoom;
  }
  // Without a raster too.
  depthView.raster.reset();
  Vector3 point(5, 5, 5);
  UnprojectPoint(&point, 100, 100);
  EXPECT_EQ(point, Vector3(0, 0, 0));
}

TEST_F(SurfacePointTest, ATiltedPlaneGivesItsNormalFacingTheViewer) {
  Fill(1, [](float x, float) { return 0.5f * x + 2.0f; });
  Matrix4 frame;
  PickPointInView(&frame, 120, 90);
  const Vector3 normal(frame.at(2, 0), frame.at(2, 1), frame.at(2, 2));
  const float length = std::sqrt(1.25f);
  EXPECT_NEAR(normal.x, -0.5f / length, 1e-3f);
  EXPECT_NEAR(normal.y, 0.0f, 1e-3f);
  EXPECT_NEAR(normal.z, 1.0f / length, 1e-3f);  // towards the viewer, who looks down -z
  // Rows 0 and 1 are unit vectors across the plane, row 0 along screen right.
  EXPECT_NEAR(frame.at(1, 0) * normal.x + frame.at(1, 2) * normal.z, 0.0f, 1e-3f);
  EXPECT_GT(frame.at(0, 0), 0.5f);
  const Vector3 point(frame.at(3, 0), frame.at(3, 1), frame.at(3, 2));
  EXPECT_NEAR(point.z, 0.5f * point.x + 2.0f, 0.01f);
  for (const float c : {point.x, point.y, point.z}) EXPECT_NEAR(c * 1000.0f, std::round(c * 1000.0f), 1e-2f);
}

// Picked 2 pixels inside the edge of a tilted band, the samples off the band are not taken: the
// normal is the band's. On a strip too narrow for a sample on either side the frame keeps the
// view's directions.
TEST_F(SurfacePointTest, NearAnEdgeOnlySamplesOnTheSurfaceCount) {
  view.zoomScale = 1;
  view.ApplyProjection();
  const Matrix4 toModel = GetInverseViewTransform();
  const auto rowY = [&](float row) { return TransformPoint({0, row, 0}, toModel).y; };
  const float length = std::sqrt(1.25f);
  struct Case {
    const char* name;
    float top, bottom;  // the rows the band spans
    Vector3 normal;
  };
  for (const Case& c : {Case{"2 px below the top edge", 87.5f, 200.0f, {-0.5f / length, 0, 1.0f / length}},
                        Case{"2 px above the bottom edge", 0.0f, 92.5f, {-0.5f / length, 0, 1.0f / length}},
                        Case{"a strip 5 px wide", 87.5f, 92.5f, {0, 0, 1}}}) {
    SCOPED_TRACE(c.name);
    const float high = rowY(c.top), low = rowY(c.bottom);
    depthView.raster.reset();
    Fill(1, [&](float x, float y) { return y < high && y > low ? 0.5f * x + 2.0f : NAN; });
    Matrix4 frame;
    PickPointInView(&frame, 120, 90);
    EXPECT_NEAR(frame.at(2, 0), c.normal.x, 1e-3f);
    EXPECT_NEAR(frame.at(2, 1), c.normal.y, 1e-3f);
    EXPECT_NEAR(frame.at(2, 2), c.normal.z, 1e-3f);
    // Still on the surface.
    EXPECT_NEAR(frame.at(3, 2), 0.5f * frame.at(3, 0) + 2.0f, 0.01f);
  }
}

TEST_F(SurfacePointTest, AFarSurfaceKeepsItsDepth) {
  Fill(0.01f, [](float, float) { return -20000.0f; });
  Vector3 point;
  UnprojectPoint(&point, 100, 100);
  EXPECT_NEAR(point.z, -20000.0f, 1.0f);
  Matrix4 frame;
  PickPointInView(&frame, 100, 100);
  EXPECT_NEAR(frame.at(3, 2), -20000.0f, 1.0f);
}

}  // namespace

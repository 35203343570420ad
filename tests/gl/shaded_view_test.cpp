#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "bmp_fixture.h"
#include "gem_library_file.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/command_queue.h"
#include "platform/gl/gl_frame.h"
#include "platform/gl/libgl_calls.h"
#include "platform/program_folder.h"
#include "platform/raster_canvas.h"
#include "program_state.h"
#include "recording_canvas.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/gl_table.h"
#include "scene/gl_view_frame.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/view_background.h"
#include "scene/viewport.h"
#include "services/app_settings.h"
#include "services/layer_table.h"
#include "shaded_view_fixture.h"
#include "temp_dir.h"

namespace {

// The colour a surface facing the light straight on gets: the diffuse colour plus the ambient
// 0.2 x 0.2 of OpenGL's initial light model and material.
int Lit(int channel) {
  return std::min(255, static_cast<int>(std::lround((channel / 255.0 + 0.04) * 255.0)));
}

std::array<int, 3> LitBgr(ColorRef color) {
  return {Lit(int((color >> 16) & 0xFF)), Lit(int((color >> 8) & 0xFF)), Lit(int(color & 0xFF))};
}

void ExpectColour(std::array<int, 3> actual, std::array<int, 3> expected) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1) << "channel " << i;
}

TEST_F(ShadedViewTest, DepthsAreReadBackTopRowFirstInScreenUnits) {
  // Only the upper rows: z from 12 to 22 is screen rows 6 to 26.
  Add(FacingQuad(-10, 10, 12, 22, -5));
  ASSERT_NO_FATAL_FAILURE(Frame());
  const DepthRaster& raster = *view.depth;
  EXPECT_NEAR(raster.emptyDepth, -2500.0f, 0.01f);

  // The model-to-screen matrix puts the quad's centre at screen depth 10.
  const Vector3 centre = TransformPoint({0, -5, 17}, GetViewTransform());
  ASSERT_NEAR(centre.z, 10.0f, 1e-4f);
  const auto at = [&](int x, int y) { return raster.data[static_cast<std::size_t>(y * kWidth + x)]; };
  EXPECT_NEAR(at(60, static_cast<int>(centre.y)), centre.z, 0.01f);
  int firstRow = -1;
  for (int y = 0; y < kHeight && firstRow < 0; ++y) {
    if (at(60, y) != raster.emptyDepth) firstRow = y;
  }
  EXPECT_GE(firstRow, 5);
  EXPECT_LE(firstRow, 7);
  for (const int y : {0, 30, 50, 100}) EXPECT_EQ(at(60, y), raster.emptyDepth) << "row " << y;
  EXPECT_EQ(at(5, 16), raster.emptyDepth);
}

TEST_F(ShadedViewTest, LayerColourAndPickedColourAreLit) {
  Add(FacingQuad(-20, -2, -10, 10, 0));
  Add(FacingQuad(2, 20, -10, 10, 0), kStateSelected);
  ASSERT_NO_FATAL_FAILURE(Frame());
  ExpectColour(Bgr(40, 50), LitBgr(LayerColors[0]));
  ExpectColour(Bgr(80, 50), LitBgr(ColorPick));
  ExpectColour(Bgr(60, 5), {200, 200, 200});
}

class MirroredShadingTest : public ShadedViewTest {
 protected:
  void SetUp() override {
    ShadedViewTest::SetUp();
    SetProgramDirOverride(folder.path());
    std::vector<std::unique_ptr<CGeomObject>> library;
    library.push_back(Cube(1.0f));
    WriteGemLibraryFile(folder.File(kGemLibraryFileName), std::move(library));
  }
  TempDir folder;
};

TEST_F(MirroredShadingTest, MirroredPlacementsKeepTheLitSideTowardTheLight) {
  // A mirror across the viewing direction brings the cube's far face to the front.
  Matrix4 mirror = kIdentityMatrix;
  mirror.at(0, 0) = 8.0f;
  mirror.at(1, 1) = -8.0f;
  mirror.at(2, 2) = 8.0f;
  mirror.at(3, 0) = -15.0f;
  auto gem = std::make_unique<CGemObject>();
  gem->placement = mirror;
  Add(std::move(gem));
  auto preview = Cube(8.0f);
  ToolPreviewList = preview.get();
  ToolPreviewMatrix = kIdentityMatrix;
  ToolPreviewMatrix.at(1, 1) = -1.0f;
  ToolPreviewMatrix.at(3, 0) = 15.0f;
  ASSERT_NO_FATAL_FAILURE(Frame());
  ExpectColour(Bgr(30, 50), LitBgr(LayerColors[0]));
  ExpectColour(Bgr(90, 50), LitBgr(ColorPick));
}

TEST_F(ShadedViewTest, SmoothMeshKeepsAHardEdgeAtARightAngleOnly) {
  struct Case {
    float leftDegrees, rightDegrees;
    bool hardEdge;
  };
  for (const Case& c : {Case{30, 60, true}, Case{3, 7, false}}) {
    SCOPED_TRACE(c.leftDegrees + c.rightDegrees);
    ResetScene();
    SetActiveView(&pane);
    // Two strips meeting along x = 0, turned away from the viewer by the two angles.
    const float a = c.leftDegrees * std::numbers::pi_v<float> / 180.0f;
    const float b = c.rightDegrees * std::numbers::pi_v<float> / 180.0f;
    const Vector3 left = {-20.0f * std::cos(a), 20.0f * std::sin(a), 0.0f};
    const Vector3 right = {20.0f * std::cos(b), 20.0f * std::sin(b), 0.0f};
    auto mesh = std::make_unique<CMeshObject>();
    mesh->SetPoints(6, {{left.x, left.y, 10}, {left.x, left.y, -10}, {0, 0, -10}, {0, 0, 10},
                        {right.x, right.y, -10}, {right.x, right.y, 10}});
    mesh->faceSizes = {4, 4};
    mesh->faceIndices = {0, 1, 2, 3, 3, 2, 4, 5};
    mesh->flatShading = 0;
    Add(std::move(mesh), kStateSelected);
    ASSERT_NO_FATAL_FAILURE(Frame());
    // Two pixels either side of the fold at screen x 59.5.
    const int step = std::abs(Bgr(57, 50)[0] - Bgr(62, 50)[0]);
    if (c.hardEdge) {
      EXPECT_GT(step, 60);
    } else {
      EXPECT_LE(step, 3);
    }
  }
}

// A 3-pixel-wide picture of two rows (each padded to 12 bytes), every pixel its own colour.
std::vector<std::uint8_t> Picture() {
  std::vector<std::uint8_t> rows(24, 0xEE);
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 3; ++x) {
      for (int channel = 0; channel < 3; ++channel) {
        rows[static_cast<std::size_t>(row * 12 + 3 * x + channel)] =
            static_cast<std::uint8_t>(40 * (row * 3 + x) + 30 * channel + 10);
      }
    }
  }
  return rows;
}

TEST_F(ShadedViewTest, PicturePixelsLandAsTheCanvasStretchesThem) {
  const std::vector<std::uint8_t> picture = Picture();
  struct Case {
    int x, y;
  };
  for (const Case& c : {Case{10, 20}, Case{0, 0}, Case{100, 85}, Case{51, 3}}) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    // Columns 1 and 2 of both rows, eight times over.
    gl.drawBackground = [&] { DrawImagePixels(c.x, c.y, 16, 16, 1, 0, 2, 2, 3, 2, picture); };
    ASSERT_NO_FATAL_FAILURE(Frame());
    RasterCanvas expected(kWidth, kHeight);
    expected.FillSolidRect(0, 0, kWidth, kHeight, ColorBack);
    expected.StretchDib(c.x, c.y, 16, 16, 1, 0, 2, 2, 3, 2, picture);
    EXPECT_EQ(view.canvas.rows(), expected.rows());
  }
}

TEST_F(ShadedViewTest, BackgroundPictureShowsInsideGlAsOnTheCanvas) {
  TempDir folder;
  const std::string path = folder.Write("b.bmp", MakeBmp24(30, 20, [](int x, int y) { return std::uint32_t(x * 8 + y * 0x0A0000 + 5); }));
  SetBackgroundImage(path, kFitLockedToView);
  SetBackgroundOptions(3, 0, 2, 4);
  ASSERT_NO_FATAL_FAILURE(Frame());
  TestView<RasterCanvas> expected{kWidth, kHeight};
  expected.canvas.FillSolidRect(0, 0, kWidth, kHeight, ColorBack);
  SetDrawingView(&expected);
  DrawViewBackground();
  EXPECT_NE(expected.canvas.PixelAt(kWidth / 2 + 6, kHeight / 2 - 4), ColorBack);  // the anchor's pixel
  EXPECT_EQ(view.canvas.rows(), expected.canvas.rows());
}

TEST_F(ShadedViewTest, AKeptContextLeaksNothingFromOneFrameToTheNext) {
  Add(FacingQuad(-20, 0, -10, 10, 0));
  Add(Cube(6.0f))->flatShading = 0;
  auto surface = std::make_unique<CSurfaceObject>();
  surface->rows = surface->columns = 3;
  surface->SetPoints(9, {{5, 2, -5}, {5, 0, 0}, {5, 2, 5}, {10, 0, -5}, {10, -3, 0},
                         {10, 0, 5}, {15, 2, -5}, {15, 0, 0}, {15, 2, 5}});
  Add(std::move(surface), kStateSelected);
  ASSERT_NO_FATAL_FAILURE(Frame());
  const std::vector<std::uint8_t> colourA = view.canvas.rows();
  const std::vector<float> depthA = view.depth->data;

  // Frame B: a picture drawn with zoom and row lengths inside GL, and a preview under a mirror.
  const std::vector<std::uint8_t> picture = Picture();
  gl.drawBackground = [&] { DrawImagePixels(2, 85, 24, 8, 1, 1, 2, 1, 3, 2, picture); };
  auto preview = Cube(3.0f);
  ToolPreviewList = preview.get();
  ToolPreviewMatrix = kIdentityMatrix;
  ToolPreviewMatrix.at(0, 0) = -2.0f;
  ToolPreviewMatrix.at(3, 0) = 15.0f;
  ToolPreviewMatrix.at(3, 2) = 18.0f;
  ASSERT_NO_FATAL_FAILURE(Frame());
  EXPECT_NE(Bgr(10, 88), Bgr(10, 70));
  EXPECT_EQ(Bgr(90, 14), (std::array<int, 3>{255, 255, 255}));

  gl.drawBackground = nullptr;
  ToolPreviewList = nullptr;
  ToolPreviewMatrix = kIdentityMatrix;
  ASSERT_NO_FATAL_FAILURE(Frame());
  EXPECT_EQ(view.canvas.rows(), colourA);
  EXPECT_EQ(view.depth->data, depthA);
}

}  // namespace

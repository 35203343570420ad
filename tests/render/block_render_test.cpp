// Blocks rendered by the software renderer, tilted so that walls and end faces both show: no
// pixel the block's triangles cover well inside (a pixel or more from every edge) may show the
// background through a crack between them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/block_solid.h"
#include "platform/program_folder.h"
#include "platform/raster_canvas.h"
#include "program_state.h"
#include "recording_canvas.h"
#include "render/view_renderer.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/viewport.h"

namespace {

constexpr int kSize = 160;

class BlockRenderTest : public LumidrexTest {
 public:
  void SetUp() override {
    LumidrexTest::SetUp();
    pane.SetSize(kSize, kSize);
    pane.SetAxes(0, 1, 2, 1, 1, 1);
    pane.viewExtent = 14;
    pane.displayMode = 300;
    SetActiveView(&pane);
    SetDrawingView(&window);
    ResizeDepthRaster(&window.depth, kSize, kSize, window.CanvasLife());
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  }

  void TearDown() override {
    SetDrawingView(nullptr);
    SetActiveView(nullptr);
    LumidrexTest::TearDown();
  }

  // Pixels whose centres lie a pixel or more inside some triangle of the block, seen as the pane
  // projects it, that the rendering left empty.
  int Holes(const CBlockObject& block) {
    pane.ApplyProjection();
    const Matrix4 toScreen = GetViewTransform();
    const BlockSolid solid = TessellateBlock(block);
    std::vector<bool> covered(kSize * kSize, false);
    for (std::size_t f = 0; f + 2 < solid.faceIndices.size(); f += 3) {
      double x[3], y[3];
      for (int k = 0; k < 3; ++k) {
        const Vector3 s = TransformPoint(solid.points[static_cast<std::size_t>(solid.faceIndices[f + k])], toScreen);
        x[k] = s.x;
        y[k] = s.y;
      }
      const double twice = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
      if (std::fabs(twice) < 1e-9) continue;
      const int x0 = std::max(0, static_cast<int>(std::floor(std::min({x[0], x[1], x[2]}))));
      const int x1 = std::min(kSize - 1, static_cast<int>(std::ceil(std::max({x[0], x[1], x[2]}))));
      const int y0 = std::max(0, static_cast<int>(std::floor(std::min({y[0], y[1], y[2]}))));
      const int y1 = std::min(kSize - 1, static_cast<int>(std::ceil(std::max({y[0], y[1], y[2]}))));
      for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
          bool inside = true;
          for (int k = 0; k < 3 && inside; ++k) {
            const int j = (k + 1) % 3;
            const double ex = x[j] - x[k], ey = y[j] - y[k];
            // Signed distance of the pixel from the edge, positive inside.
            const double d = ((px - x[k]) * ey - (py - y[k]) * ex) / std::hypot(ex, ey) * (twice > 0 ? -1 : 1);
            inside = d >= 1.0;
          }
          if (inside) covered[static_cast<std::size_t>(py * kSize + px)] = true;
        }
      }
    }
    SoftwareRenderActiveView(0);
    int holes = 0;
    for (int i = 0; i < kSize * kSize; ++i) {
      if (covered[static_cast<std::size_t>(i)] && window.depth->data[static_cast<std::size_t>(i)] <= window.depth->emptyDepth) {
        ++holes;
      }
    }
    return holes;
  }

  CViewport pane;
  TestView<RasterCanvas> window{kSize, kSize};
};

std::vector<Vector3> StarRing(std::mt19937& random, int n, float low, float high, bool clockwise) {
  std::uniform_real_distribution<float> radius(low, high);
  std::vector<Vector3> ring;
  for (int i = 0; i < n; ++i) {
    const double a = 2 * std::numbers::pi * (clockwise ? -i : i) / n;
    const float r = radius(random);
    ring.push_back({r * static_cast<float>(std::cos(a)), r * static_cast<float>(std::sin(a)), 0});
  }
  return ring;
}

// Profiles convex, concave and with a hole and an island, drawn either way, at every step count,
// with flat and round ends, turned 30 degrees about x.
TEST_F(BlockRenderTest, ATiltedBlockShowsNoBackgroundThroughItsSeams) {
  std::mt19937 random(4430);
  std::bernoulli_distribution either;
  std::vector<std::vector<std::vector<Vector3>>> profiles = {
      {StarRing(random, 6, 8, 8, false)},
      {StarRing(random, 11, 4, 10, either(random))},
      {StarRing(random, 9, 7, 10, either(random)), StarRing(random, 7, 3, 4.5f, either(random)),
       StarRing(random, 5, 0.8f, 1.5f, either(random))},
  };
  int shown = 0;
  for (std::size_t p = 0; p < profiles.size(); ++p) {
    for (const int steps : {0, 1, 2, 4, 8, 16}) {
      for (const int ends : {kBlockEndFlat, kBlockEndRound}) {
        SCOPED_TRACE(testing::Message() << "profile " << p << ", steps " << steps << ", ends " << ends);
        auto block = std::make_unique<CBlockObject>();
        std::vector<CBlockObject::Profile> rings;
        for (const auto& ring : profiles[p]) rings.push_back({ring, steps});
        block->SetProfiles(rings);
        block->thickness = 3;
        block->radius = 0.5f;
        block->frontEndType = block->backEndType = ends;
        const double a = std::numbers::pi / 6;
        block->placement = kIdentityMatrix;
        block->placement.at(1, 1) = block->placement.at(2, 2) = static_cast<float>(std::cos(a));
        block->placement.at(1, 2) = static_cast<float>(std::sin(a));
        block->placement.at(2, 1) = -static_cast<float>(std::sin(a));
        block->Rebuild();
        CBlockObject* added = AddObject(block, 0);
        added->ObjectState = kStateShown;
        EXPECT_EQ(Holes(*added), 0);
        added->ObjectState = 2;
        ++shown;
      }
    }
  }
  EXPECT_EQ(shown, 36);
}

}  // namespace

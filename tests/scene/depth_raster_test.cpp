#include "scene/depth_raster.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "program_state.h"

namespace {

class DepthRasterTest : public LumidrexTest {};

TEST_F(DepthRasterTest, ReadBackRowsAreFlippedAndConvertedOnce) {
  // Three rows of two, bottom-up as read back: the middle row must be converted exactly once.
  std::vector<float> values = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f, 0.5f};
  ConvertDepthRows(values.data(), 2, 3, 100.0f);
  EXPECT_EQ(values, (std::vector<float>{100.0f, 0.0f, 0.0f, 50.0f, -100.0f, -50.0f}));

  std::vector<float> even = {0.0f, 1.0f};
  ConvertDepthRows(even.data(), 1, 2, 2.0f);
  EXPECT_EQ(even, (std::vector<float>{2.0f, -2.0f}));
}

TEST_F(DepthRasterTest, ANewSizeRefillsWithTheEmptyDepthAndTheSameSizeKeepsTheDepths) {
  std::unique_ptr<DepthRaster> raster;
  const LifeToken owner;
  ResizeDepthRaster(&raster, 0, 5, owner);
  ASSERT_NE(raster, nullptr);
  EXPECT_EQ(raster->width, 0);
  EXPECT_TRUE(raster->data.empty());

  ResizeDepthRaster(&raster, 4, 101, owner);
  EXPECT_EQ(raster->emptyDepth, -2500.0f);
  EXPECT_EQ(raster->data, std::vector<float>(4 * 101, -2500.0f));

  raster->data[7] = 3.0f;
  ResizeDepthRaster(&raster, 4, 101, owner);
  EXPECT_EQ(raster->data[7], 3.0f);
  ResizeDepthRaster(&raster, -1, 0, owner);
  EXPECT_EQ(raster->width, 4);

  // The same number of cells in another layout is refilled too.
  ResizeDepthRaster(&raster, 101, 4, owner);
  EXPECT_EQ(raster->emptyDepth, -75.0f);
  EXPECT_EQ(raster->data, std::vector<float>(4 * 101, -75.0f));

  FreeDepthRaster(&raster);
  EXPECT_EQ(raster, nullptr);
}

}  // namespace

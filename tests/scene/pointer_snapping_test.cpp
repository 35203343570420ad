#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "scene/pointer_snapping.h"

namespace {

using PointerSnappingTest = LumidrexTest;

TEST_F(PointerSnappingTest, SnapToGridRoundsHalfwayUp) {
  struct Case {
    Vector3 v;
    double step;
    Vector3 snapped;
  };
  const Case cases[] = {
      {{0.24f, 0.26f, -0.26f}, 0.5, {0.0f, 0.5f, -0.5f}},
      {{0.25f, -0.25f, 1.0f}, 0.5, {0.5f, 0.0f, 1.0f}},  // halves go up, also below zero
      {{1.2344f, 1.2346f, -0.0004f}, 0.001, {1.234f, 1.235f, 0.0f}},
  };
  for (const Case& c : cases) {
    const Vector3 s = SnapToGrid(c.v, c.step);
    EXPECT_FLOAT_EQ(s.x, c.snapped.x);
    EXPECT_FLOAT_EQ(s.y, c.snapped.y);
    EXPECT_FLOAT_EQ(s.z, c.snapped.z);
  }
}

TEST_F(PointerSnappingTest, ShowPointStatusFormatsEachCoordinateInEightColumns) {
  Headless().hasMainWindow = true;
  ShowPointStatus(1.0f, 2.5f, -3.0f);
  ShowPointStatus(123456.0f, 0.0001f, -1e-7f);
  EXPECT_EQ(Headless().statusTexts,
            (std::vector<std::string>{"    X        1    Y      2.5    Z       -3",
                                      "    X 1.235e+05    Y   0.0001    Z   -1e-07"}));
}

}  // namespace

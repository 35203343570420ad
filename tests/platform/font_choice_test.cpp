#include "platform/font_choice.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(FontChoiceTest, PointsBecomePixelsAt96DpiWithinOneToAThousand) {
  struct Case {
    double points;
    int pixels;
    int em;
  };
  const Case cases[] = {{12, 0, 16}, {10.5, 0, 14}, {15, 0, 20}, {0.1, 0, 1}, {5000, 0, 1000}, {12, 30, 30},
                        {12, 4000, 1000}, {std::numeric_limits<double>::quiet_NaN(), 0, 1}, {-3, -1, 1}};
  for (const Case& c : cases) EXPECT_EQ(EmHeightFromFontSize(c.points, c.pixels), c.em) << c.points << " " << c.pixels;
}

}  // namespace

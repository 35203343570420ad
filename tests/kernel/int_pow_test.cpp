#include "kernel/int_pow.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

TEST(IntPowTest, Powers) {
  struct Case {
    double x;
    int n;
    double expected;
  };
  const Case cases[] = {
      {10, 3, 1000}, {10, -2, 0.01},  {1.1, 5, std::pow(1.1, 5)}, {7.5, 0, 1},  {0, 0, 1},
      {-2, 3, -8},   {2, INT_MIN, 0}, {2, INT_MAX, INFINITY},     {0.5, -3, 8}, {1, INT_MIN, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "^" << c.n);
    EXPECT_DOUBLE_EQ(IntPow(c.x, c.n), c.expected);
  }
}

}  // namespace

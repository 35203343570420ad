#include <gtest/gtest.h>

#include <numbers>

#include "scene/transform_matrix.h"
#include "scene_fixture.h"

namespace {

using TransformMatrixTest = SceneTest;

void ExpectNear(Vector3 actual, Vector3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST_F(TransformMatrixTest, ScreenAxesMapToWorldAxesOfABackView) {
  view.SetAxes(0, 2, 1, -1, 1, 1);  // screen x = -x, y = +z, depth = +y
  TransformRecord record;
  record.move[0] = 1, record.move[1] = 2, record.move[2] = 3;
  record.uniformScale = 5;
  record.scale[0] = 2, record.scale[1] = 3, record.scale[2] = 4;
  record.rotate[0] = 90;

  struct Case {
    int flags;
    Vector3 point;
    Vector3 expected;
  };
  const Case cases[] = {
      {kTransformMove, {0, 0, 0}, {-1, 3, 2}},
      {kTransformUniformScale, {1, 1, 1}, {5, 5, 5}},
      {kTransformAxisScale, {1, 1, 1}, {2, 4, 3}},  // no sign on scales
      {kTransformRotate, {0, 1, 0}, {0, 0, -1}},    // -90 degrees about x
      {kTransformRotate | kTransformAxisScale | kTransformMove, {0, 1, 0}, {-1, 3, -1}},
      {kTransformUniformScale | kTransformAxisScale, {1, 1, 1}, {2, 4, 3}},
      {0, {1, 2, 3}, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    ExpectNear(TransformPoint(c.point, BuildTransformMatrix(c.flags, record)), c.expected);
  }
}

TEST_F(TransformMatrixTest, RotateXYZTurnsAboutZThenYThenX) {
  constexpr float kQuarter = std::numbers::pi_v<float> / 2;
  ExpectNear(TransformPoint({1, 0, 0}, RotateXYZ(0, 0, kQuarter)), {0, 1, 0});
  ExpectNear(TransformPoint({1, 0, 0}, RotateXYZ(0, kQuarter, 0)), {0, 0, -1});
  ExpectNear(TransformPoint({0, 1, 0}, RotateXYZ(kQuarter, 0, 0)), {0, 0, 1});
  ExpectNear(TransformPoint({1, 0, 0}, RotateXYZ(kQuarter, 0, kQuarter)), {0, 0, 1});
  ExpectNear(TransformPoint({0, 0, 1}, RotateXYZ(kQuarter, kQuarter, 0)), {1, 0, 0});
  EXPECT_EQ(RotateXYZ(0, 0, 0), kIdentityMatrix);
}

}  // namespace

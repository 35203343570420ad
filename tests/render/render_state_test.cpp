#include <gtest/gtest.h>

#include "program_state.h"
#include "render/material.h"
#include "render/render_state.h"
#include "render/shading.h"
#include "test_matrices.h"

namespace {

using RenderStateTest = LumidrexTest;

Matrix4 Scale(float s) {
  Matrix4 m = kIdentityMatrix;
  m[0] = m[5] = m[10] = s;
  return m;
}

TEST_F(RenderStateTest, ProjectionDividesOnlyWhenWIsNeitherZeroNorOne) {
  struct Case {
    float m15;
    float w;
  };
  // w comes from element 15 alone here: the point is (1, 2, 3) and column 3 is otherwise 0.
  for (const Case c : {Case{1, 1}, Case{0, 0}, Case{2, 2}}) {
    RenderProjection = Scale(3);
    RenderProjection[15] = c.m15;
    RenderProjection[12] = 4;
    const Vector3 p = ProjectPointThrough(RenderPointProjection(), 1, 2, 3);
    const float divisor = c.w == 0 || c.w == 1 ? 1 : c.w;
    EXPECT_EQ(p, Vector3(7 / divisor, 6 / divisor, 9 / divisor)) << "w " << c.w;
  }
}

TEST_F(RenderStateTest, ProjectionUsesTopTimesProjection) {
  RenderProjection = kIdentityMatrix;
  RenderProjection[3] = 0.5f;  // w = 0.5 x + 1
  RenderMatrixTop() = Translation(1, 0, 0);
  // (1, 2, 3) moves to (2, 2, 3) first; w = 2.
  EXPECT_EQ(ProjectPointThrough(RenderPointProjection(), 1, 2, 3), Vector3(1, 1, 1.5f));
}

TEST_F(RenderStateTest, MultiplyAppliesTheNewMatrixFirst) {
  MultiplyRenderMatrix(Scale(2));
  MultiplyRenderMatrix(Translation(1, 0, 0));
  // Translate, then scale: x = 1 goes to (1 + 1) x 2 = 4; the other order would give 3.
  RenderProjection = kIdentityMatrix;
  EXPECT_EQ(ProjectPointThrough(RenderPointProjection(), 1, 0, 0), Vector3(4, 0, 0));
  EXPECT_EQ(RenderMatrixTop(), MatMultiply(Translation(1, 0, 0), Scale(2)));
  EXPECT_NE(RenderMatrixTop(), MatMultiply(Scale(2), Translation(1, 0, 0)));
}

TEST_F(RenderStateTest, PushPopAndTheBase) {
  MultiplyRenderMatrix(Scale(2));
  {
    RenderMatrixScope scope;
    EXPECT_EQ(RenderMatrixTop(), Scale(2));
    MultiplyRenderMatrix(Translation(5, 0, 0));
  }
  EXPECT_EQ(RenderMatrixTop(), Scale(2));
  // Popping the base leaves it, and pushing after that still copies it.
  PopRenderMatrix();
  PopRenderMatrix();
  EXPECT_EQ(RenderMatrixTop(), Scale(2));
  PushRenderMatrix();
  EXPECT_EQ(RenderMatrixTop(), Scale(2));
}

TEST_F(RenderStateTest, ResetRestoresTheStartValues) {
  ShadingMode = 2;
  RenderProjection = Scale(5);
  RenderNestingCount = 3;
  PushRenderMatrix();
  MultiplyRenderMatrix(Scale(3));
  viewCentreColumn = viewCentreRow = rowDirection = halfHeight = frontDepth = 7;
  SetLightColour(1, 0.5f, 0.25f);
  LoadMaterial("Gold", 1);

  ResetRenderState();
  EXPECT_EQ(ShadingMode, 0);
  EXPECT_EQ(RenderProjection, Matrix4());
  EXPECT_EQ(RenderNestingCount, 0);
  EXPECT_EQ(RenderMatrixTop(), kIdentityMatrix);
  PopRenderMatrix();
  EXPECT_EQ(RenderMatrixTop(), kIdentityMatrix);
  for (const float value : {viewCentreColumn, viewCentreRow, rowDirection, halfHeight, frontDepth, lightColour[0],
                            lightColour[1], lightColour[2]}) {
    EXPECT_EQ(value, 0.0f);
  }
  EXPECT_TRUE(LoadedMaterials().empty());
}

}  // namespace

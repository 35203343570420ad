#include <gtest/gtest.h>

#include <cmath>

#include "kernel/matrix4.h"
#include "test_matrices.h"

namespace {

TEST(VectorTest, Arithmetic) {
  const Vector3 a{1, 2, 3}, b{4, -5, 6};
  EXPECT_EQ(VecAdd(a, b), Vector3(5, -3, 9));
  EXPECT_EQ(VecSub(a, b), Vector3(-3, 7, -3));
  EXPECT_EQ(VecScale(a, 2), Vector3(2, 4, 6));
  EXPECT_EQ(ScaleVec(2, a), VecScale(a, 2));
  EXPECT_EQ(VecDivide(Vector3(2, 4, 8), 4), Vector3(0.5f, 1, 2));
  EXPECT_EQ(VecCross(Vector3(1, 0, 0), Vector3(0, 1, 0)), Vector3(0, 0, 1));
  EXPECT_EQ(VecCross(a, b), Vector3(2 * 6 - 3 * -5, 3 * 4 - 1 * 6, 1 * -5 - 2 * 4));

  Vector3 v{1, 1, 1};
  EXPECT_EQ(VecAddAssign(&v, 1, 2, 3), Vector3(2, 3, 4));
  EXPECT_EQ(VecSubAssign(&v, 2, 3, 4), Vector3(0, 0, 0));
  EXPECT_EQ(v, Vector3(0, 0, 0));
}

TEST(VectorTest, EqualityToleranceIsStrict) {
  EXPECT_FALSE(VectorsEqual({0, 0, 0}, {0.0001f, 0, 0}));
  EXPECT_TRUE(VectorsEqual({0, 0, 0}, {0.00009f, 0, 0}));
  EXPECT_TRUE(VectorsEqual({5, -5, 1}, {5, -5.00009f, 1}));
  EXPECT_FALSE(VectorsEqual({5, -5, 1}, {5, -5, 1.0002f}));
  // The importers' "differ" is the same rule turned round, a NaN coordinate included.
  EXPECT_TRUE(VectorsDiffer({0, 0, 0}, {0.0001f, 0, 0}));
  EXPECT_FALSE(VectorsDiffer({5, -5, 1}, {5, -5.00009f, 1}));
  EXPECT_TRUE(VectorsDiffer({0, 0, 0}, {0, std::nanf(""), 0}));
}

TEST(VectorTest, NormalizeLeavesTinyVectorsAlone) {
  EXPECT_EQ(Normalize({1e-6f, 0, 0}), Vector3(1e-6f, 0, 0));
  EXPECT_EQ(Normalize({0, 0, 0}), Vector3(0, 0, 0));
  const Vector3 unit = Normalize({3, 0, 4});
  EXPECT_FLOAT_EQ(unit.x, 0.6f);
  EXPECT_EQ(unit.y, 0.0f);
  EXPECT_FLOAT_EQ(unit.z, 0.8f);
}

TEST(MatrixTest, DefaultMatrixIsNotTheIdentity) {
  const Matrix4 m;
  EXPECT_EQ(m[15], 1.0f);
  EXPECT_EQ(m[0], 0.0f);
  EXPECT_EQ(m[5], 0.0f);
  EXPECT_EQ(m[10], 0.0f);
  for (const Vector3 p : {Vector3(1, 2, 3), Vector3(-7, 0.5f, 100)}) {
    EXPECT_EQ(TransformPoint(p, m), Vector3(0, 0, 0));
  }
  MatrixStackNode node;
  node.matrix = kIdentityMatrix;
  InitMatrixNode(&node);
  EXPECT_EQ(node.matrix, Matrix4());
  EXPECT_EQ(SweepReferenceMatrix, Matrix4());
}

TEST(MatrixTest, TransformPointAppliesRowsAndTranslation) {
  Matrix4 m = Translation(10, 20, 30);
  m[1] = 2;  // x also feeds y'
  EXPECT_EQ(TransformPoint({1, 2, 3}, m), Vector3(11, 24, 33));
  Vector3 p{1, 2, 3};
  EXPECT_EQ(TransformPointInPlace(&p, m), Vector3(11, 24, 33));
  EXPECT_EQ(p, Vector3(11, 24, 33));
}

TEST(MatrixTest, PerspectiveDivideScalesAllThreeCoordinates) {
  Matrix4 m = kIdentityMatrix;
  m[11] = 0.5f;
  struct Case {
    Vector3 in;
    float factor;
  };
  // z' = 0.5 gives f = 1 / (0.5 * 0 + 1); z' = 0 gives f = 1 / 1.25.
  for (const Case& c : {Case{{4, 8, 0.5f}, 1.0f}, Case{{4, 8, 0}, 0.8f}}) {
    const Vector3 out = TransformPoint(c.in, m);
    EXPECT_FLOAT_EQ(out.x, c.in.x * c.factor);
    EXPECT_FLOAT_EQ(out.y, c.in.y * c.factor);
    EXPECT_FLOAT_EQ(out.z, c.in.z * c.factor);
  }
}

TEST(MatrixTest, ProductComposesLeftToRight) {
  Matrix4 a = kIdentityMatrix;
  a[0] = 2;
  a[6] = 3;
  a[13] = 5;
  EXPECT_EQ(MatMultiply(a, kIdentityMatrix), a);
  EXPECT_EQ(MatMultiply(kIdentityMatrix, a), a);

  // Scale x by 2, then move by (1, 0, 0): p x A x B.
  Matrix4 scale = kIdentityMatrix;
  scale[0] = 2;
  const Matrix4 both = MatMultiply(scale, Translation(1, 0, 0));
  EXPECT_EQ(TransformPoint({3, 0, 0}, both), Vector3(7, 0, 0));
  Matrix4 m = scale;
  EXPECT_EQ(MatMultiplyAssign(&m, Translation(1, 0, 0)), both);
  EXPECT_EQ(m, both);
}

TEST(MatrixTest, Determinant) {
  Matrix4 m = kIdentityMatrix;
  m[0] = 2;
  m[5] = 3;
  m[10] = 4;
  EXPECT_FLOAT_EQ(MatDeterminant(m, 4), 24.0f);
  EXPECT_FLOAT_EQ(Determinant(m, 3), 24.0f);
  EXPECT_FLOAT_EQ(Determinant(m, 2), 6.0f);
  EXPECT_FLOAT_EQ(Determinant(m, 1), 2.0f);
  // Swapping two rows flips the sign.
  Matrix4 swapped = kIdentityMatrix;
  swapped[0] = 0;
  swapped[1] = 1;
  swapped[4] = 1;
  swapped[5] = 0;
  EXPECT_FLOAT_EQ(Determinant(swapped, 4), -1.0f);
}

TEST(MatrixTest, InverseOfTranslationAndGeneralMatrix) {
  const Matrix4 inverse = MatInverse(Translation(3, -4, 5));
  EXPECT_EQ(inverse, Translation(-3, 4, -5));

  Matrix4 m = kIdentityMatrix;
  m[0] = 2;
  m[1] = 1;
  m[5] = 3;
  m[9] = 1;
  m[10] = 4;
  m[12] = 7;
  const Matrix4 product = MatMultiply(m, MatInverse(m));
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(product[i], kIdentityMatrix[i], 1e-6f) << i;
}

TEST(MatrixTest, SingularMatrixInvertsToIdentity) {
  Matrix4 nearlySingular = kIdentityMatrix;
  nearlySingular[0] = 1e-11f;
  EXPECT_EQ(MatInverse(nearlySingular), kIdentityMatrix);
  EXPECT_EQ(MatInverse(Matrix4()), kIdentityMatrix);

  Matrix4 untouched = Translation(1, 2, 3);
  InverseByAdjugate(Matrix4(), &untouched, 4);
  EXPECT_EQ(untouched, Translation(1, 2, 3));
}

}  // namespace

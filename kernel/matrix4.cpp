#include "kernel/matrix4.h"

#include <cmath>

Matrix4 SweepReferenceMatrix;

void InitMatrixNode(MatrixStackNode* node) { node->matrix = Matrix4(); }

Vector3 MatrixRow(const Matrix4& m, int row) { return {m.at(row, 0), m.at(row, 1), m.at(row, 2)}; }

void SetMatrixRow(Matrix4* m, int row, Vector3 v) {
  m->at(row, 0) = v.x;
  m->at(row, 1) = v.y;
  m->at(row, 2) = v.z;
}

Vector3 TransformPointInPlace(Vector3* p, const Matrix4& m) {
  *p = TransformPoint(*p, m);
  return *p;
}

Matrix4 MatMultiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 c;
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; k < 4; ++k) {
      float sum = 0.0f;
      for (int j = 0; j < 4; ++j) sum += a.at(r, j) * b.at(j, k);
      c.at(r, k) = sum;
    }
  }
  return c;
}

Matrix4 MatMultiplyAssign(Matrix4* m, const Matrix4& n) {
  *m = MatMultiply(*m, n);
  return *m;
}

void ExtractMinor(int i, const Matrix4& m, Matrix4* out, int j, int n) {
  int target = 0;
  for (int r = 0; r < n; ++r) {
    if (r == i) continue;
    int column = 0;
    for (int c = 0; c < n; ++c) {
      if (c == j) continue;
      out->at(target, column++) = m.at(r, c);
    }
    ++target;
  }
}

float Determinant(const Matrix4& m, int n) {
  if (n == 1) return m.at(0, 0);
  if (n == 2) return m.at(0, 0) * m.at(1, 1) - m.at(1, 0) * m.at(0, 1);
  float sum = 0.0f;
  for (int i = 0; i < n; ++i) {
    Matrix4 minor;
    ExtractMinor(i, m, &minor, 0, n);
    const float term = m.at(i, 0) * Determinant(minor, n - 1);
    sum += (i % 2 == 0) ? term : -term;
  }
  return sum;
}

float MatDeterminant(const Matrix4& m, int n) { return Determinant(m, n); }

void InverseByAdjugate(const Matrix4& m, Matrix4* out, int n) {
  const float d = Determinant(m, n);
  if (std::fabs(d) <= 1e-10f) return;
  const float reciprocal = 1.0f / d;
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      Matrix4 minor;
      ExtractMinor(i, m, &minor, j, n);
      const float cofactor = Determinant(minor, n - 1);
      out->at(j, i) = ((i + j) % 2 == 0 ? cofactor : -cofactor) * reciprocal;
    }
  }
}

Matrix4 MatInverse(const Matrix4& m, int n) {
  Matrix4 result = kIdentityMatrix;
  InverseByAdjugate(m, &result, n);
  return result;
}

Matrix4 MatTranspose(const Matrix4& m) {
  Matrix4 result;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) result.at(row, column) = m.at(column, row);
  }
  return result;
}

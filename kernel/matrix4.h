#pragma once

#include "kernel/vector3.h"

// A 4x4 transform applied to row vectors (p' = p x M), row-major: rows 0-2 are the images of the
// axes, elements 12-14 the translation, element 11 the view projection's perspective coefficient.
struct Matrix4 {
  // Deliberately not the identity: all zeros but element 15. Code that needs the identity copies
  // kIdentityMatrix.
  float m[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};

  float& operator[](int i) { return m[i]; }
  float operator[](int i) const { return m[i]; }
  float& at(int row, int column) { return m[row * 4 + column]; }
  float at(int row, int column) const { return m[row * 4 + column]; }

  friend bool operator==(const Matrix4&, const Matrix4&) = default;
};

inline constexpr Matrix4 kIdentityMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// A link of the matrix stacks that walk gem instances and groups.
struct MatrixStackNode {
  MatrixStackNode* next = nullptr;
  Matrix4 matrix;
};

void InitMatrixNode(MatrixStackNode* node);

// The reference frame of the section placement; the modelling commands set it before placing.
extern Matrix4 SweepReferenceMatrix;

// Row 0-2 is an axis of the frame, row 3 its origin; column 3 is left alone.
Vector3 MatrixRow(const Matrix4& m, int row);
void SetMatrixRow(Matrix4* m, int row, Vector3 v);

// Inline, as every drawn point goes through it.
inline Vector3 TransformPoint(Vector3 p, const Matrix4& m) {
  const float x = p.x * m[0] + p.y * m[4] + p.z * m[8] + m[12];
  const float y = p.x * m[1] + p.y * m[5] + p.z * m[9] + m[13];
  const float z = p.x * m[2] + p.y * m[6] + p.z * m[10] + m[14];
  const float k = m[11];
  if (k == 0.0f) return {x, y, z};
  // The view projection keeps its perspective in one coefficient and divides by a term built
  // from the transformed depth; every coordinate is scaled, depth included.
  const float f = 1.0f / (k * (k - z) + 1.0f);
  return {x * f, y * f, z * f};
}
Vector3 TransformPointInPlace(Vector3* p, const Matrix4& m);
Matrix4 MatMultiply(const Matrix4& a, const Matrix4& b);
Matrix4 MatMultiplyAssign(Matrix4* m, const Matrix4& n);

// The general routines work on the leading n x n block of a matrix stored with four floats a row.
void ExtractMinor(int i, const Matrix4& m, Matrix4* out, int j, int n);
float Determinant(const Matrix4& m, int n);
float MatDeterminant(const Matrix4& m, int n);
// Writes the inverse into out unless |det| <= 1e-10, when out is left untouched.
void InverseByAdjugate(const Matrix4& m, Matrix4* out, int n);
// The inverse, or the identity for a singular matrix: callers never test for failure.
Matrix4 MatInverse(const Matrix4& m, int n = 4);
Matrix4 MatTranspose(const Matrix4& m);

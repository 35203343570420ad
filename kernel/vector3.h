#pragma once

// Three single-precision coordinates: a point or a direction. All geometry is float; files and
// results depend on it.
struct Vector3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr Vector3() = default;
  constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  friend constexpr bool operator==(const Vector3&, const Vector3&) = default;
};

// Inline: curve sampling and drawing run them for every point.
inline Vector3 VecAdd(Vector3 a, Vector3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 VecSub(Vector3 a, Vector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 VecScale(Vector3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }
Vector3 ScaleVec(float s, Vector3 v);
// Multiplies by the reciprocal; the caller guarantees s != 0.
Vector3 VecDivide(Vector3 v, float s);
Vector3 VecCross(Vector3 a, Vector3 b);
Vector3 NegateVector(Vector3 v);
float VecDot(Vector3 a, Vector3 b);
Vector3 VecAddAssign(Vector3* v, float x, float y, float z);
Vector3 VecSubAssign(Vector3* v, float x, float y, float z);
// Whether no component is a NaN or an infinity.
bool IsFiniteVector(Vector3 v);
// Equal within 0.0001 on every axis (strictly less).
bool VectorsEqual(Vector3 a, Vector3 b);
// Some coordinate differs by 0.0001 or more: exactly the points VectorsEqual does not match, so
// the two never disagree (a NaN coordinate makes points differ).
inline bool VectorsDiffer(Vector3 a, Vector3 b) { return !VectorsEqual(a, b); }
// Unit vector of v; a vector with squared length <= 1e-10 comes back unchanged, so callers must
// not assume a unit result.
Vector3 Normalize(Vector3 v);

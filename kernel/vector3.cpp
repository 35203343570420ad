#include "kernel/vector3.h"

#include <cmath>

Vector3 ScaleVec(float s, Vector3 v) { return VecScale(v, s); }

Vector3 VecDivide(Vector3 v, float s) { return VecScale(v, 1.0f / s); }

Vector3 VecCross(Vector3 a, Vector3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 NegateVector(Vector3 v) { return {-v.x, -v.y, -v.z}; }

float VecDot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 VecAddAssign(Vector3* v, float x, float y, float z) {
  *v = VecAdd(*v, {x, y, z});
  return *v;
}

Vector3 VecSubAssign(Vector3* v, float x, float y, float z) {
  *v = VecSub(*v, {x, y, z});
  return *v;
}

bool IsFiniteVector(Vector3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool VectorsEqual(Vector3 a, Vector3 b) {
  constexpr float kTolerance = 0.0001f;
  return std::fabs(a.x - b.x) < kTolerance && std::fabs(a.y - b.y) < kTolerance &&
         std::fabs(a.z - b.z) < kTolerance;
}

Vector3 Normalize(Vector3 v) {
  const float squared = v.x * v.x + v.y * v.y + v.z * v.z;
  if (squared <= 1e-10f) return v;
  return VecDivide(v, std::sqrt(squared));
}

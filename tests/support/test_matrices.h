#pragma once

#include "kernel/matrix4.h"

// The identity with a translation row, for fixtures.
inline Matrix4 Translation(float tx, float ty, float tz) {
  Matrix4 m = kIdentityMatrix;
  m[12] = tx;
  m[13] = ty;
  m[14] = tz;
  return m;
}

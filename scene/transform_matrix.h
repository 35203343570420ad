#pragma once

#include "kernel/matrix4.h"

// What BuildTransformMatrix reads from a transform record.
inline constexpr int kTransformMove = 1;
inline constexpr int kTransformUniformScale = 2;
inline constexpr int kTransformAxisScale = 4;
inline constexpr int kTransformRotate = 8;

// The numbers of a numeric transform command. Index 0, 1 and 2 are the active view's screen
// axes: horizontal, vertical and depth.
struct TransformRecord {
  float move[3] = {0, 0, 0};
  float uniformScale = 1;
  float spare[2] = {0, 0};
  float scale[3] = {1, 1, 1};
  float rotate[3] = {0, 0, 0};  // degrees
};

// The world matrix of the flagged parts of the record, mapped from screen to world axes through
// the active view: rotate, then scale, then move.
Matrix4 BuildTransformMatrix(int flags, const TransformRecord& record);

// Turns a row vector about z, then y, then x (radians).
Matrix4 RotateXYZ(float ax, float ay, float az);

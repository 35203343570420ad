#include "scene/transform_matrix.h"

#include <cmath>

#include "scene/view_axis.h"

Matrix4 BuildTransformMatrix(int flags, const TransformRecord& record) {
  int axis[3];
  int sign[3];
  for (int k = 0; k < 3; ++k) axis[k] = GetViewAxis(k, &sign[k]);

  Matrix4 translation = kIdentityMatrix;
  Matrix4 scaling = kIdentityMatrix;
  Matrix4 rotation = kIdentityMatrix;
  if ((flags & kTransformMove) != 0) {
    for (int k = 0; k < 3; ++k) translation[12 + axis[k]] = static_cast<float>(sign[k]) * record.move[k];
  }
  if ((flags & kTransformUniformScale) != 0) {
    for (int k = 0; k < 3; ++k) scaling.at(k, k) = record.uniformScale;
  }
  if ((flags & kTransformAxisScale) != 0) {
    for (int k = 0; k < 3; ++k) scaling.at(axis[k], axis[k]) = record.scale[k];
  }
  if ((flags & kTransformRotate) != 0) {
    float angle[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) angle[axis[k]] = static_cast<float>(sign[k]) * record.rotate[k];
    constexpr float kRadiansPerDegree = 0.017453292f;
    rotation = RotateXYZ(angle[0] * kRadiansPerDegree, angle[1] * kRadiansPerDegree,
                         angle[2] * kRadiansPerDegree);
  }
  return MatMultiply(MatMultiply(rotation, scaling), translation);
}

Matrix4 RotateXYZ(float ax, float ay, float az) {
  Matrix4 result = kIdentityMatrix;
  if (az != 0) {
    const float c = std::cos(az);
    const float s = std::sin(az);
    result[0] = c;
    result[5] = c;
    result[1] = s;
    result[4] = -s;
  }
  if (ay != 0) {
    Matrix4 turn = kIdentityMatrix;
    const float c = std::cos(ay);
    const float s = std::sin(ay);
    turn[0] = c;
    turn[10] = c;
    turn[8] = s;
    turn[2] = -s;
    result = MatMultiply(result, turn);
  }
  if (ax != 0) {
    Matrix4 turn = kIdentityMatrix;
    const float c = std::cos(ax);
    const float s = std::sin(ax);
    turn[5] = c;
    turn[10] = c;
    turn[6] = s;
    turn[9] = -s;
    result = MatMultiply(result, turn);
  }
  return result;
}

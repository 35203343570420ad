#include "scene/transform_matrix.h"

#include <cmath>

#include "scene/view_axis.h"

namespace {

// A turn about one axis: the two elements of its plane's diagonal take the cosine, the sine and
// its negative go to the given elements.
Matrix4 Turn(float angle, int cos1, int cos2, int sine, int negSine) {
  Matrix4 turn = kIdentityMatrix;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  turn[cos1] = c;
  turn[cos2] = c;
  turn[sine] = s;
  turn[negSine] = -s;
  return turn;
}

}  // namespace

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
  if (az != 0) result = Turn(az, 0, 5, 1, 4);
  if (ay != 0) result = MatMultiply(result, Turn(ay, 0, 10, 8, 2));
  if (ax != 0) result = MatMultiply(result, Turn(ax, 5, 10, 6, 9));
  return result;
}

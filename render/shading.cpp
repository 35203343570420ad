#include "render/shading.h"

#include <algorithm>

float viewCentreColumn = 0.0f;
float viewCentreRow = 0.0f;
float rowDirection = 0.0f;
float halfHeight = 0.0f;
float frontDepth = 0.0f;
float lightColour[3] = {0.0f, 0.0f, 0.0f};

void ResetShadingState() {
  viewCentreColumn = viewCentreRow = rowDirection = halfHeight = frontDepth = 0.0f;
  SetLightColour(0.0f, 0.0f, 0.0f);
}

void SetLightColour(float red, float green, float blue) {
  lightColour[0] = red;
  lightColour[1] = green;
  lightColour[2] = blue;
}

void ShadeDiffuse(Vector3 normal, float* outRed, float* outGreen, float* outBlue) {
  // Vertex normals flip only clearly behind the horizon; the per-pixel terms below flip at 0.
  if (normal.z < -0.001f) normal = NegateVector(normal);
  const float d = std::clamp(Normalize(normal).z, 0.0f, 1.0f);
  *outRed = std::min(d * lightColour[0], 1.0f);
  *outGreen = std::min(d * lightColour[1], 1.0f);
  *outBlue = std::min(d * lightColour[2], 1.0f);
}

void ShadeDiffuseSpecular(float outSpecular[3], float outDiffuse[3], Vector3 normal, float threshold) {
  if (normal.z < 0.0f) normal = NegateVector(normal);
  const Vector3 n = Normalize(normal);
  const float d = std::min(std::max(0.0f, n.z), 1.0f);
  const float rz = 2.0f * n.z * n.z - 1.0f;
  float s = 0.0f;
  if (rz >= 1.0f) {
    s = 1.0f;
  } else if (rz >= 0.0f && rz >= threshold && 1.0f - threshold >= 0.001f) {
    s = std::min((rz - threshold) / (1.0f - threshold), 1.0f);
  }
  std::fill_n(outDiffuse, 3, d);
  std::fill_n(outSpecular, 3, s);
}

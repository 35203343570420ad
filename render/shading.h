#pragma once

#include <cstdint>

#include "kernel/vector3.h"

// What the scanline engine knows of one pixel's front crossing when it asks for its colour.
struct PixelShadeInput {
  // The pixel's blue, green and red bytes: what lies behind on the way in, the result on the way out.
  std::uint8_t* pixel = nullptr;
  std::int32_t column = 0;
  std::int32_t row = 0;
  float u = 0.0f;
  float v = 0.0f;
  // Object space, for the projected texture mappings.
  Vector3 position;
  // View space, z towards the viewer.
  Vector3 normal;
  Vector3 tangentU;
  Vector3 tangentV;
};

// Set by the render loops for the picture being made.
extern float viewCentreColumn;
extern float viewCentreRow;
// +1 for pictures written to files, -1 for rendering into a view.
extern float rowDirection;
extern float halfHeight;
// The depth of the crossing being shaded.
extern float frontDepth;
// Red, green, blue, 0..1.
extern float lightColour[3];

void ResetShadingState();

// The screen blend of two colour values, 0..1: brighter than either.
inline float Screen(float a, float b) { return a + b - a * b; }

// The light shines along the view axis from the viewer.
void SetLightColour(float red, float green, float blue);
// The vertex colour of interpolated-colour shading.
void ShadeDiffuse(Vector3 normal, float* outRed, float* outGreen, float* outBlue);
// Diffuse and specular terms for a surface normal; each written to all three channels.
void ShadeDiffuseSpecular(float outSpecular[3], float outDiffuse[3], Vector3 normal, float threshold);

#pragma once

#include "kernel/matrix4.h"
#include "kernel/vector3.h"

struct ImageRecord;

// Planar (1), cylindrical (2) or spherical (3) texture coordinates of a surface point, p being
// its object-space position already taken into the mapping frame. Kind 0 (surface parameters)
// leaves u and v as the surface gave them.
void MapTextureCoordinates(int mappingKind, Vector3 p, float* u, float* v);

// Bilinear colour, each channel 0..1, with the picture repeated in both directions. A coordinate
// that is not finite samples as 0.
void SampleTextureBilinear(const ImageRecord& image, float u, float v, float* outRed, float* outGreen,
                           float* outBlue);
// Bilinear brightness gradient, across (du) and up (dv), repeated as above.
void SampleBumpGradient(const ImageRecord& image, float u, float v, float* outDu, float* outDv);

#include <algorithm>
#include <cmath>

#include "kernel/bmp_image.h"
#include "render/material.h"
#include "render/shading.h"
#include "render/texture_sampling.h"

namespace {

// Saturates, and takes NaN (from a degenerate normal) as 0, so no conversion is undefined.
std::uint8_t ColourByte(float c) {
  const float scaled = std::floor(c * 255.0f + 0.5f);
  if (!(scaled > 0.0f)) return 0;
  return scaled >= 255.0f ? 255 : static_cast<std::uint8_t>(scaled);
}

float Largest(const float c[3]) { return std::max({c[0], c[1], c[2]}); }

}  // namespace

void CMaterial::ShadePixel(const PixelShadeInput& input) const {
  float a[3] = {ambient[0], ambient[1], ambient[2]};
  float d[3] = {diffuse[0], diffuse[1], diffuse[2]};
  float t = transparency;

  Vector3 n = Normalize(input.normal);
  float u = input.u;
  float v = input.v;
  if (texture != nullptr || bump != nullptr) MapTextureCoordinates(mappingKind, TransformPoint(input.position, mappingMatrix), &u, &v);

  if (bump != nullptr) {
    float du = 0.0f;
    float dv = 0.0f;
    SampleBumpGradient(*bump, u, v, &du, &dv);
    const Vector3 across = VecAdd(Normalize(input.tangentU), VecScale(n, du));
    const Vector3 up = VecAdd(Normalize(input.tangentV), VecScale(n, dv));
    const Vector3 bumped = VecCross(across, up);
    // Without a tangent frame (a vertex normal facing the viewer has none) the cross product
    // vanishes; the unbumped normal keeps such a pixel lit.
    if (VecDot(bumped, bumped) > 1e-10f) n = Normalize(bumped);
  }

  float specularTerm[3];
  float light[3];
  ShadeDiffuseSpecular(specularTerm, light, n, highlightThreshold);

  if (texture != nullptr) {
    float tx[3];
    SampleTextureBilinear(*texture, u, v, &tx[0], &tx[1], &tx[2]);
    for (int i = 0; i < 3; ++i) d[i] = Screen(tx[i], d[i]);
    for (int i = 0; i < 3; ++i) a[i] *= d[i];
  }

  // Leaning the normal towards the eye ray of this pixel: only the maps below see it.
  const Vector3 e = Normalize({viewCentreColumn - static_cast<float>(input.column),
                               (viewCentreRow - static_cast<float>(input.row)) * rowDirection,
                               8.0f * halfHeight - frontDepth});
  const float k = VecDot(n, e);
  if (k > 0.1f) {
    const float f = (k - 0.1f) / k * 5.0f / 9.0f;
    n = Normalize(VecSub(n, VecScale({e.x, e.y, e.z - 1.0f}, f)));
  }

  if (reflect == nullptr) {
    for (int i = 0; i < 3; ++i) d[i] *= light[i];
  }
  float c[3];
  for (int i = 0; i < 3; ++i) c[i] = Screen(std::max(d[i], a[i]), specularTerm[i] * specular[i]);

  // The reflection frame is the identity: the normal itself indexes the maps.
  const float mapU = (n.x + 1.0f) * 0.5f;
  const float mapV = (n.y + 1.0f) * 0.5f;
  if (reflect != nullptr) {
    float r[3];
    SampleTextureBilinear(*reflect, mapU, mapV, &r[0], &r[1], &r[2]);
    for (int i = 0; i < 3; ++i) {
      r[i] *= 1.2f;
      c[i] = r[i] <= 1.0f ? r[i] * d[i] : d[i] + (r[i] - 1.0f) * (1.0f - d[i]) * 4.0f;
    }
    t *= 1.0f - std::min(1.0f, Largest(r));
  }
  if (shiny != nullptr) {
    float h[3];
    SampleTextureBilinear(*shiny, mapU, mapV, &h[0], &h[1], &h[2]);
    for (int i = 0; i < 3; ++i) c[i] = Screen(h[i], c[i]);
    t *= 1.0f - std::min(1.0f, Largest(h));
  }

  if (n.z < 0.0f) n = NegateVector(n);
  if (n.z < 0.25f) t *= 4.0f * n.z * n.z + 0.75f;

  // Red, green and blue go to the pixel's bytes 2, 1 and 0.
  std::uint8_t* pixel = input.pixel;
  for (int i = 0; i < 3; ++i) {
    std::uint8_t& byte = pixel[2 - i];
    if (t > 0.0f) c[i] = t * static_cast<float>(byte) / 255.0f + (1.0f - t) * c[i];
    byte = ColourByte(c[i]);
  }
}

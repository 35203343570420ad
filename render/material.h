#pragma once

#include <cstdint>
#include <forward_list>
#include <string_view>

#include "kernel/matrix4.h"

struct ImageRecord;
struct PixelShadeInput;

// A material loaded for one render node, with its colours ready for shading.
class CMaterial {
 public:
  // Which surface attributes the engine prepares for the sides of a node with this material.
  int needsPositionAndTangents = 0;
  int needsNormal = 1;
  int needsTextureCoordinates = 0;
  int hasBumpMap = 0;

  // Bitmaps held by the texture cache.
  const ImageRecord* texture = nullptr;
  const ImageRecord* bump = nullptr;
  const ImageRecord* reflect = nullptr;
  const ImageRecord* shiny = nullptr;

  // Red, green, blue, 0..1.
  float ambient[3] = {0.0f, 0.0f, 0.0f};
  float diffuse[3] = {0.5f, 0.5f, 0.5f};
  float specular[3] = {1.0f, 1.0f, 1.0f};
  // The smallest reflection z that shows a highlight.
  float highlightThreshold = 1.0f;
  // 0..1, the share of what lies behind that shows through.
  float transparency = 0.0f;

  // The texture projection of the object using the material (0 surface parameters, 1 planar,
  // 2 cylindrical, 3 spherical) and the inverse of its mapping frame; the node builders set them.
  std::int32_t mappingKind = 0;
  Matrix4 mappingMatrix;

  // Fills the material from the named file, keeping the defaults for what cannot be read; the
  // maps too when loadMaps is set.
  void Load(std::string_view name, int loadMaps);
  // Interpolated-colour shading has no maps: the ambient colour brightens the diffuse one instead.
  void MixAmbientIntoDiffuse();
  // Writes the colour of the input's pixel.
  void ShadePixel(const PixelShadeInput& input) const;
};

// A node without a material shades with the defaults.
const CMaterial& MaterialOrDefault(const CMaterial* material);

// A new material, loaded from its file and kept until FreeTexturesAndMaterials.
CMaterial* LoadMaterial(std::string_view name, int loadMaps);

// Newest first.
const std::forward_list<CMaterial>& LoadedMaterials();
// Drops every loaded material and every cached bitmap.
void FreeTexturesAndMaterials();

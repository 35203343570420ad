#include "render/material.h"

#include <algorithm>

#include "kernel/object_stream.h"
#include "platform/file_handle.h"
#include "render/material_file.h"
#include "render/material_paths.h"
#include "render/shading.h"
#include "render/texture_cache.h"

namespace {

std::forward_list<CMaterial> loadedMaterials;

const ImageRecord* LoadMap(const std::string& name) {
  if (name.empty()) return nullptr;
  const std::string path = FindTextureMapFile(name);
  return path.empty() ? nullptr : GetCachedTexture(path);
}

}  // namespace

void CMaterial::Load(std::string_view name, int loadMaps) {
  *this = CMaterial();
  if (name.empty()) return;
  const std::string path = FindMaterialFile(name);
  const FileHandle file = path.empty() ? nullptr : OpenFile(path, "rb", kMaterialMagic);
  if (file == nullptr) return;

  MaterialRecord record;
  {
    ObjectStreamScope stream(file.get());
    if (ReadMaterialRecord(&record) < 0) return;
  }
  // Colours outside 0..255 would push a shaded channel past the byte it is stored in.
  for (int i = 0; i < 3; ++i) {
    ambient[i] = static_cast<float>(std::clamp(record.ambient[i], 0, 255)) / 255.0f;
    diffuse[i] = static_cast<float>(std::clamp(record.diffuse[i], 0, 255)) / 255.0f;
    specular[i] = static_cast<float>(std::clamp(record.specular[i], 0, 255)) / 255.0f;
  }
  const float shininess = static_cast<float>(std::clamp(record.shininess, 0, 100));
  const float root = shininess * 0.01f - 0.001f;
  highlightThreshold = root * root;
  transparency = static_cast<float>(std::clamp(record.transparency, 0, 100)) * 0.01f;

  if (loadMaps != 0) {
    texture = LoadMap(record.textureMap);
    bump = LoadMap(record.bumpMap);
    reflect = LoadMap(record.reflectMap);
    shiny = LoadMap(record.shinyMap);
  }
  const int surfaceMapped = texture != nullptr || bump != nullptr ? 1 : 0;
  needsPositionAndTangents = surfaceMapped;
  needsTextureCoordinates = surfaceMapped;
  hasBumpMap = bump != nullptr ? 1 : 0;
}

void CMaterial::MixAmbientIntoDiffuse() {
  for (int i = 0; i < 3; ++i) diffuse[i] = Screen(diffuse[i], 0.75f * ambient[i]);
}

CMaterial* LoadMaterial(std::string_view name, int loadMaps) {
  CMaterial& material = loadedMaterials.emplace_front();
  material.Load(name, loadMaps);
  return &material;
}

const std::forward_list<CMaterial>& LoadedMaterials() { return loadedMaterials; }

void FreeTexturesAndMaterials() {
  loadedMaterials.clear();
  FreeTextureCache();
}

const CMaterial& MaterialOrDefault(const CMaterial* material) {
  static const CMaterial fallback;
  return material != nullptr ? *material : fallback;
}

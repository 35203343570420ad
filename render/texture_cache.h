#pragma once

#include <forward_list>
#include <string>

#include "kernel/bmp_image.h"

// A bitmap loaded for the materials of a render, under the path it was loaded from.
struct TextureCacheEntry {
  ImageRecord image;
  std::string path;
};

// The entry loaded from exactly this path, else the bitmap loaded into a new entry. Null, with
// nothing cached, when the file gives no pixels.
const ImageRecord* GetCachedTexture(const std::string& path);

// Newest first.
const std::forward_list<TextureCacheEntry>& TextureCache();
void FreeTextureCache();

#include "render/texture_cache.h"

namespace {

std::forward_list<TextureCacheEntry> cache;

}  // namespace

const ImageRecord* GetCachedTexture(const std::string& path) {
  for (const TextureCacheEntry& entry : cache) {
    if (entry.path == path) return &entry.image;
  }
  TextureCacheEntry entry{{}, path};
  if (LoadBmpFile(path, &entry.image) < 0 || entry.image.data.empty()) return nullptr;
  cache.push_front(std::move(entry));
  return &cache.front().image;
}

const std::forward_list<TextureCacheEntry>& TextureCache() { return cache; }

void FreeTextureCache() { cache.clear(); }

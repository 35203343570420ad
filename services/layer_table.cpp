#include "services/layer_table.h"

#include <cstdio>

#include "platform/platform_services.h"
#include "platform/settings_store.h"

const std::array<std::uint32_t, kLayerCount> kBuiltInLayerColors = {
    0xDF9F9F, 0x9FDF9F, 0x9FDFDF, 0x9F9FDF, 0xAFAFAF, 0xAF0000, 0x00AF00, 0x00AFAF, 0x0000AF, 0x7F7F7F,
    0xFF0000, 0x00FF00, 0x00FFFF, 0x0000FF, 0x3F3F3F, 0xFFFF00, 0x9FFF9F, 0x5FFFFF, 0xFF00FF, 0x000000};

LayerSet LayerTable;
std::array<std::uint32_t, kLayerCount> LayerColors = kBuiltInLayerColors;
int CurrentLayer = 0;

namespace {

constexpr const char* kConfigGroup = "Config";

bool IsLayer(int layer) { return layer >= 0 && layer < kLayerCount; }

std::string NumberedKey(const char* prefix, int layer) {
  char key[32];
  std::snprintf(key, sizeof key, "%s%03d", prefix, layer);
  return key;
}

}  // namespace

int IsLayerPickable(int layer) { return IsLayer(layer) ? LayerTable[layer].pickable : 0; }

int IsLayerVisible(int layer) { return IsLayer(layer) ? LayerTable[layer].visible : 0; }

void LoadLayerSettings() {
  SettingsStore& store = *Platform().settings;
  for (int i = 0; i < kLayerCount; ++i) {
    LayerColors[i] = static_cast<std::uint32_t>(
        store.ReadInt(kConfigGroup, NumberedKey("ColorUnPk", i), static_cast<int>(kBuiltInLayerColors[i])));
  }
  for (int i = 0; i < kLayerCount; ++i) {
    LayerTable[i].name = store.ReadString(kConfigGroup, NumberedKey("LayerName", i), "Layer " + std::to_string(i + 1));
    LayerTable[i].color = LayerColors[i];
  }
}

void SaveLayerSettings() {
  SettingsStore& store = *Platform().settings;
  for (int i = 0; i < kLayerCount; ++i) {
    store.WriteInt(kConfigGroup, NumberedKey("ColorUnPk", i), static_cast<int>(LayerColors[i]));
  }
  for (int i = 0; i < kLayerCount; ++i) store.WriteString(kConfigGroup, NumberedKey("LayerName", i), LayerTable[i].name);
}

void ResetLayerTable() {
  LayerTable = LayerSet();
  LayerColors = kBuiltInLayerColors;
  CurrentLayer = 0;
}

#pragma once

#include <array>
#include <cstdint>
#include <string>

// Every object lies on one of 20 layers. A layer has a name and a colour, and says whether its
// objects may be picked and whether they are shown.
inline constexpr int kLayerCount = 20;

struct LayerEntry {
  std::string name = "Layer";
  std::uint32_t color = 0;  // COLORREF, painted on the layer's button
  int pickable = 1;
  int visible = 1;
};

using LayerSet = std::array<LayerEntry, kLayerCount>;

extern LayerSet LayerTable;
// The colour in which each layer's objects are drawn when not picked.
extern std::array<std::uint32_t, kLayerCount> LayerColors;
extern const std::array<std::uint32_t, kLayerCount> kBuiltInLayerColors;
// The layer new objects receive.
extern int CurrentLayer;

// 0 for a layer outside 0-19.
int IsLayerPickable(int layer);
int IsLayerVisible(int layer);

// Colours and names from the settings store (group "Config"); a fresh store gives the built-in
// colours and the names "Layer 1" to "Layer 20".
void LoadLayerSettings();
void SaveLayerSettings();

void ResetLayerTable();

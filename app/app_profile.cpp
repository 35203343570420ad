#include "app/app_profile.h"

#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "platform/file_handle.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "scene/view_commands.h"
#include "services/app_settings.h"
#include "services/layer_table.h"

namespace {

constexpr const char* kConfigGroup = "Config";
constexpr const char* kViewGroup = "View";
constexpr std::size_t kMaxWord = 255;
constexpr float kDefaultZoomFactor = 0.2f;
constexpr float kMinZoomFactor = 0.001f;
constexpr float kMaxZoomFactor = 100.0f;

const std::pair<const char*, int*> kProgramFlags[] = {
    {"meiko", &CfgMeiko},   {"cimagraphi", &CfgCimagraphi}, {"deskproto", &CfgDeskProto},
    {"objet", &CfgObjet},   {"perfactory", &CfgPerfactory},
};

void SetProgramFlag(const std::string& word) {
  for (const auto& [name, flag] : kProgramFlags) {
    if (word == name) *flag = 1;
  }
}

std::string CustomColorKey(int index) {
  char key[24];
  std::snprintf(key, sizeof key, "CustomColor%02d", index);
  return key;
}

std::uint32_t ReadColor(SettingsStore& store, const char* key, std::uint32_t color) {
  return static_cast<std::uint32_t>(store.ReadInt(kConfigGroup, key, static_cast<int>(color)));
}

void WriteColor(SettingsStore& store, const char* key, std::uint32_t color) {
  store.WriteInt(kConfigGroup, key, static_cast<int>(color));
}

// Flags stay as they are for a missing file and unknown words.
void ReadProgramConfig() {
  const FileHandle file = OpenFile(GetProgramDir() + "Lumidrex.cfg", "r");
  if (!file) return;
  // Words longer than the limit are taken in pieces of the limit.
  std::string word;
  for (int c = std::fgetc(file.get());; c = std::fgetc(file.get())) {
    const bool ends = c == EOF || std::isspace(c);
    if (!ends) word += static_cast<char>(std::tolower(c));
    if ((ends || word.size() == kMaxWord) && !word.empty()) {
      SetProgramFlag(word);
      word.clear();
    }
    if (c == EOF) return;
  }
}

// Only the calibration dialog's range: any other value, NaN or infinity breaks Zoom 1:1.
float ZoomFactorFromBits(int bits) {
  const float zoom = std::bit_cast<float>(bits);
  if (!std::isfinite(zoom) || zoom < kMinZoomFactor || zoom > kMaxZoomFactor) return kDefaultZoomFactor;
  return zoom;
}

int ZoomFactorBits(float zoom) { return std::bit_cast<int>(zoom); }

}  // namespace

void LoadAppSettings(SettingsStore& store) {
  ReadProgramConfig();
  UseEnglishLang = store.ReadInt(kConfigGroup, "UseEnglishLang", UseEnglishLang);
  ColorBack = ReadColor(store, "ColorBack", ColorBack);
  ColorAxis = ReadColor(store, "ColorAxis", ColorAxis);
  ColorGrid = ReadColor(store, "ColorGrid", ColorGrid);
  ColorText = ReadColor(store, "ColorText", ColorText);
  ColorPick = ReadColor(store, "ColorPick", ColorPick);
  LanguageFileName = store.ReadString(kConfigGroup, "LanguageStrings", LanguageFileName);
  DataBaseDir = store.ReadString(kConfigGroup, "DirDataBase", DataBaseDir);
  MaterialDir = store.ReadString(kConfigGroup, "DirMaterial", MaterialDir);
  OneToOneZoom = ZoomFactorFromBits(store.ReadInt(kViewGroup, "ZoomFactor", ZoomFactorBits(kDefaultZoomFactor)));
  LoadLayerSettings();
  for (int i = 0; i < static_cast<int>(CustomColors.size()); ++i) {
    CustomColors[i] = ReadColor(store, CustomColorKey(i).c_str(), CustomColors[i]);
  }
}

void SaveAppSettings(SettingsStore& store) {
  store.WriteInt(kConfigGroup, "UseEnglishLang", UseEnglishLang);
  WriteColor(store, "ColorBack", ColorBack);
  WriteColor(store, "ColorAxis", ColorAxis);
  WriteColor(store, "ColorGrid", ColorGrid);
  WriteColor(store, "ColorText", ColorText);
  WriteColor(store, "ColorPick", ColorPick);
  store.WriteString(kConfigGroup, "LanguageStrings", LanguageFileName);
  store.WriteString(kConfigGroup, "DirDataBase", DataBaseDir);
  store.WriteString(kConfigGroup, "DirMaterial", MaterialDir);
  store.WriteInt(kViewGroup, "ZoomFactor", ZoomFactorBits(OneToOneZoom));
  SaveLayerSettings();
  for (int i = 0; i < static_cast<int>(CustomColors.size()); ++i) {
    WriteColor(store, CustomColorKey(i).c_str(), CustomColors[i]);
  }
}

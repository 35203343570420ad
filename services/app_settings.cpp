#include "services/app_settings.h"

namespace {
constexpr CustomColorSet AllWhite() {
  CustomColorSet colors{};
  colors.fill(0xFFFFFF);
  return colors;
}
}  // namespace

constexpr std::uint32_t kDefaultColorText = 0x888888;
constexpr const char* kDefaultDataBaseDir = "database";
constexpr const char* kDefaultMaterialDir = "material";
constexpr float kDefaultGridSpacing = 10.0f;

std::uint32_t ColorPick = kDefaultColorPick;
std::uint32_t ColorBack = kDefaultColorBack;
std::uint32_t ColorAxis = kDefaultColorAxis;
std::uint32_t ColorGrid = kDefaultColorGrid;
std::uint32_t ColorText = kDefaultColorText;
int UseEnglishLang = 1;
float GridSpacing = kDefaultGridSpacing;
CustomColorSet CustomColors = AllWhite();
std::string LanguageFileName;
std::string DataBaseDir = kDefaultDataBaseDir;
std::string MaterialDir = kDefaultMaterialDir;
int CfgMeiko = 0;
int CfgCimagraphi = 0;
int CfgDeskProto = 0;
int CfgObjet = 0;
int CfgPerfactory = 0;

void ResetAppSettings() {
  ColorPick = kDefaultColorPick;
  ColorBack = kDefaultColorBack;
  ColorAxis = kDefaultColorAxis;
  ColorGrid = kDefaultColorGrid;
  ColorText = kDefaultColorText;
  UseEnglishLang = 1;
  GridSpacing = kDefaultGridSpacing;
  CustomColors = AllWhite();
  LanguageFileName.clear();
  DataBaseDir = kDefaultDataBaseDir;
  MaterialDir = kDefaultMaterialDir;
  CfgMeiko = 0;
  CfgCimagraphi = 0;
  CfgDeskProto = 0;
  CfgObjet = 0;
  CfgPerfactory = 0;
}

#include "app/core/app_settings.h"

namespace {
constexpr CustomColorSet AllWhite() {
  CustomColorSet colors{};
  colors.fill(0xFFFFFF);
  return colors;
}
}  // namespace

constexpr std::uint32_t kDefaultColorPick = 0xFFFFFF;
constexpr std::uint32_t kDefaultColorBack = 0xC8C8C8;
constexpr std::uint32_t kDefaultColorAxis = 0x808080;
constexpr std::uint32_t kDefaultColorGrid = 0xA0A0A0;
constexpr float kDefaultGridSpacing = 10.0f;

std::uint32_t ColorPick = kDefaultColorPick;
std::uint32_t ColorBack = kDefaultColorBack;
std::uint32_t ColorAxis = kDefaultColorAxis;
std::uint32_t ColorGrid = kDefaultColorGrid;
float GridSpacing = kDefaultGridSpacing;
CustomColorSet CustomColors = AllWhite();
std::string LanguageFileName;
int CfgCimagraphi = 0;
int CfgDeskProto = 0;
int CfgObjet = 0;
int CfgPerfactory = 0;

void ResetAppSettings() {
  ColorPick = kDefaultColorPick;
  ColorBack = kDefaultColorBack;
  ColorAxis = kDefaultColorAxis;
  ColorGrid = kDefaultColorGrid;
  GridSpacing = kDefaultGridSpacing;
  CustomColors = AllWhite();
  LanguageFileName.clear();
  CfgCimagraphi = 0;
  CfgDeskProto = 0;
  CfgObjet = 0;
  CfgPerfactory = 0;
}

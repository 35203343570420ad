#include "app/core/app_settings.h"

namespace {
constexpr CustomColorSet AllWhite() {
  CustomColorSet colors{};
  colors.fill(0xFFFFFF);
  return colors;
}
}  // namespace

constexpr std::uint32_t kDefaultColorPick = 0xFFFFFF;

std::uint32_t ColorPick = kDefaultColorPick;
CustomColorSet CustomColors = AllWhite();
std::string LanguageFileName;
int CfgCimagraphi = 0;
int CfgDeskProto = 0;
int CfgObjet = 0;
int CfgPerfactory = 0;

void ResetAppSettings() {
  ColorPick = kDefaultColorPick;
  CustomColors = AllWhite();
  LanguageFileName.clear();
  CfgCimagraphi = 0;
  CfgDeskProto = 0;
  CfgObjet = 0;
  CfgPerfactory = 0;
}

#include "modelling/color_config_dialog.h"

#include "scene/scene_views.h"
#include "services/app_settings.h"
#include "services/ui_utilities.h"

void CColorConfigDlg::OnInitDialog() { colors = {ColorBack, ColorAxis, ColorGrid, ColorPick}; }

void CColorConfigDlg::OnOK() {
  ColorBack = colors[kBackground];
  ColorAxis = colors[kAxis];
  ColorGrid = colors[kGrid];
  ColorPick = colors[kPicked];
}

int CColorConfigDlg::PickSwatchColor(int swatch) {
  const std::uint32_t chosen = PickColor(colors[swatch]);
  if (chosen == kNoColor) return 0;
  colors[swatch] = chosen;
  return 1;
}

void CColorConfigDlg::Reset() { colors = {kDefaultColorBack, kDefaultColorAxis, kDefaultColorGrid, kDefaultColorPick}; }

void RunColorConfigDialog() {
  CColorConfigDlg dialog;
  if (RunModalDialog(dialog) == kAnswerOk) RedrawAllViews();
}

#pragma once

#include <cstdint>
#include <string>

#include "platform/common_dialogs.h"

// Settings of the application that the start-up loads and the shut-down saves.

// The colour of picked objects and marked points (COLORREF); white at first.
extern std::uint32_t ColorPick;
// The colour dialog's 16 custom colours (COLORREF); all white at first.
extern CustomColorSet CustomColors;
// The active language file's name in the program folder; empty for the built-in English.
extern std::string LanguageFileName;
// Outside programs named in Lumidrex.cfg; each set flag adds its menu items.
extern int CfgCimagraphi;
extern int CfgDeskProto;
extern int CfgObjet;
extern int CfgPerfactory;

void ResetAppSettings();

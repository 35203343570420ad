#pragma once

#include <cstdint>
#include <string>

#include "platform/common_dialogs.h"

// Settings of the application that the start-up loads and the shut-down saves.

// The colours a fresh profile starts with, and the Colors dialog's Reset gives.
inline constexpr std::uint32_t kDefaultColorPick = 0xFFFFFF;
inline constexpr std::uint32_t kDefaultColorBack = 0xC8C8C8;
inline constexpr std::uint32_t kDefaultColorAxis = 0x808080;
inline constexpr std::uint32_t kDefaultColorGrid = 0xA0A0A0;

// The colour of picked objects and marked points (COLORREF); white at first.
extern std::uint32_t ColorPick;
// The views' background, their axis lines through the origin and their grid (COLORREF).
extern std::uint32_t ColorBack;
extern std::uint32_t ColorAxis;
extern std::uint32_t ColorGrid;
// Kept from start-up to shut-down; nothing draws in it.
extern std::uint32_t ColorText;
// Kept from start-up to shut-down.
extern int UseEnglishLang;
// Model units between grid lines in fixed views; 0 turns the grid off.
extern float GridSpacing;
// The colour dialog's 16 custom colours (COLORREF); all white at first.
extern CustomColorSet CustomColors;
// The active language file's name in the program folder; empty for the built-in English.
extern std::string LanguageFileName;
// The folders of the sample designs and of the materials.
extern std::string DataBaseDir;
extern std::string MaterialDir;
// Slicing for the machine named "meiko" in Lumidrex.cfg.
extern int CfgMeiko;
// Outside programs named in Lumidrex.cfg; each set flag adds its menu items.
extern int CfgCimagraphi;
extern int CfgDeskProto;
extern int CfgObjet;
extern int CfgPerfactory;

void ResetAppSettings();

#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui_services.h"
#include "services/hotkey_table.h"
#include "services/menu_builder.h"

// How the Hotkeys list measures its lines: tabs advance to the next multiple of tabWidth
// pixels, the text between them is as wide as plainWidth says. The view installs its font's.
struct HotkeyListMetrics {
  int tabWidth = 0;
  std::function<int(std::string_view)> plainWidth;
};
void SetHotkeyListMetrics(HotkeyListMetrics metrics);
const HotkeyListMetrics& CurrentHotkeyListMetrics();
int TabbedTextWidth(std::string_view text, const HotkeyListMetrics& metrics);

// A menu text as the list shows it: up to its first tab, without "(&X)" groups, each '&' dropped
// and the character after it kept.
std::string CleanMenuText(std::string_view text);
// Items with a text, a popup counting one and its own items; separators and recent files not.
int CountMenuCommands(const MenuItem& menu);

// The Define Hotkey dialog: Ctrl and Shift boxes and one of the 95 keys (-1: none). Alt has no
// control and is handed through.
class CHotkeyDefineDlg : public DialogModel {
 public:
  static constexpr const char* kName = "HotkeyDefine";
  const char* DialogName() const override { return kName; }

  int ctrl = 0;
  int shift = 0;
  int alt = 0;
  int keyIndex = -1;
};

// The Hotkeys dialog: one line per menu command with its hotkey and menu path. The work list
// is edited by Define, Remove and Load; only OK makes it the program's hotkeys.
class CHotkeysDlg : public DialogModel {
 public:
  static constexpr const char* kName = "Hotkeys";
  const char* DialogName() const override { return kName; }

  void OnInitDialog() override;
  void OnOK() override;
  void OnDefineHotkey();
  void OnRemoveHotkey();
  void OnLoadHotkeyFile();
  void OnSaveHotkeyFile();
  void OnSaveHotkeysAsText();

  std::vector<HotkeyEntry> workList;  // key indexes, one per line
  std::vector<std::string> lines;     // as the list shows them
  int selection = -1;                 // the selected line; -1 for none
  // Tells the view that lines changed under it.
  std::function<void()> onListChanged;

 private:
  void FillHotkeyList(const MenuItem& menu, std::string prefix);
  void WriteHotkeyListText(const MenuItem& menu, std::FILE* file, std::string prefix) const;
  void SetLine(std::size_t line);
  const HotkeyEntry* WorkEntryOf(int command) const;

  std::vector<std::string> paths_;  // each line's menu path, kept when its columns change
};

// The prompts' filters and the headless metrics (8 pixels a character) again.
void ResetHotkeysDialog();

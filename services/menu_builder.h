#pragma once

#include <span>
#include <string>
#include <vector>

#include "services/menu_string_table.h"

// The menu bar as the program builds it; the main frame shows it as its menus.
struct MenuItem {
  enum class Kind { kCommand, kSeparator, kPopup };
  Kind kind = Kind::kCommand;
  int id = 0;
  std::string text;
  std::vector<MenuItem> items;  // a popup's entries

  static MenuItem Command(int id, std::string text) { return {Kind::kCommand, id, std::move(text), {}}; }
  static MenuItem Separator() { return {Kind::kSeparator, kSeparator, {}, {}}; }
  static MenuItem Popup(std::string text) { return {Kind::kPopup, kPopupBegin, std::move(text), {}}; }
};

inline constexpr int kChooseLanguageCommand = 1103;
inline constexpr const char* kChangeToEnglishText = "Change to English (&L)";

// What the main frame does for the menu builder.
class MenuFrame {
 public:
  virtual ~MenuFrame() = default;
  virtual void InstallMenuBar(const MenuItem& bar) = 0;
  virtual void SetToolBarTitles() = 0;
};
// Not owned; null when there is no main frame.
void SetMenuFrame(MenuFrame* frame);

// The bar (a popup holding the top-level popups) from the menu rows of a table, each with its
// text from rowTexts (one per table row). An empty popup disappears, a popup never starts or ends
// with a separator and separators never double. With a language active the language item reads
// kChangeToEnglishText.
MenuItem BuildMenuTree(std::span<const MenuTableRow> table, const std::vector<std::string>& rowTexts,
                       bool languageActive);

// The items that depend on what is installed: Restore removed curves, Ring Size, the STL Output
// popup and, for the outside programs that are set up, the Export/Print 3D to popup.
void AddRunTimeMenuItems(MenuItem* bar);

// Builds the menu bar and the string table in the active language (English when
// LanguageFileName is empty or names no good language file) and hands both to the main frame.
void BuildMenus();
// True when the menus were last built from a language file that loaded: the one notion of an
// active language, so a named file that cannot be read counts as English everywhere.
bool LanguageActive();
const MenuItem& CurrentMenuBar();
// The bar in use, for writing the hotkeys into its texts; ReinstallMenuBar then shows it.
MenuItem& MutableMenuBar();
void ReinstallMenuBar();

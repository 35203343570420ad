#include "services/menu_builder.h"

#include <algorithm>
#include <optional>

#include "platform/program_folder.h"
#include "services/app_settings.h"
#include "services/language_file.h"
#include "services/menu_hotkey_text.h"
#include "services/string_table.h"

namespace {

MenuFrame* menuFrame = nullptr;

MenuItem& Bar() {
  static MenuItem bar = MenuItem::Popup("");
  return bar;
}

bool EndsWithSeparator(const MenuItem& menu) {
  return !menu.items.empty() && menu.items.back().kind == MenuItem::Kind::kSeparator;
}

// The bar positions of the popups that get run-time items, and the places inside them.
constexpr std::size_t kFilePosition = 0;
constexpr std::size_t kCurvePosition = 6;
constexpr std::size_t kMiscPosition = 8;
constexpr std::size_t kStlOutputPosition = 13;    // in Misc
constexpr std::size_t kExportPrintPosition = 11;  // in File

MenuItem* TopPopup(MenuItem* bar, std::size_t position) {
  if (position >= bar->items.size() || bar->items[position].kind != MenuItem::Kind::kPopup) return nullptr;
  return &bar->items[position];
}

void InsertAt(MenuItem* menu, std::size_t position, MenuItem item) {
  const std::size_t at = std::min(position, menu->items.size());
  menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
}

MenuItem LocalizedCommand(int id) { return MenuItem::Command(id, GetLocalizedString(id)); }

// Outside programs are never detected here; the words of the settings file turn them on.
MenuItem OutsideProgramsPopup() {
  MenuItem popup = MenuItem::Popup(GetLocalizedString(99902));
  if (CfgCimagraphi != 0) {
    MenuItem cimagraphi = MenuItem::Popup(GetLocalizedString(99903));
    cimagraphi.items = {LocalizedCommand(1006), LocalizedCommand(1005), MenuItem::Separator(),
                        LocalizedCommand(1008), LocalizedCommand(1007)};
    popup.items.push_back(std::move(cimagraphi));
  }
  if (CfgDeskProto != 0) popup.items.push_back(LocalizedCommand(1009));
  if (CfgObjet != 0) popup.items.push_back(LocalizedCommand(1010));
  if (CfgPerfactory != 0) popup.items.push_back(LocalizedCommand(1011));
  return popup;
}

}  // namespace

void SetMenuFrame(MenuFrame* frame) { menuFrame = frame; }

MenuItem BuildMenuTree(std::span<const MenuTableRow> table, const std::vector<std::string>& rowTexts,
                       bool languageActive) {
  MenuItem bar = MenuItem::Popup("");
  std::vector<MenuItem*> open = {&bar};
  const std::span<const MenuTableRow> rows = SplitMenuTable(table).menu;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    MenuItem& current = *open.back();
    const int id = rows[row].id;
    if (id == kPopupEnd) {
      if (open.size() == 1) continue;  // an end without a begin
      open.pop_back();
      MenuItem& parent = *open.back();
      if (current.items.empty()) {
        parent.items.pop_back();
      } else if (EndsWithSeparator(current)) {
        current.items.pop_back();
      }
    } else if (id == kSeparator) {
      if (!current.items.empty() && !EndsWithSeparator(current)) current.items.push_back(MenuItem::Separator());
    } else if (id == kPopupBegin) {
      current.items.push_back(MenuItem::Popup(rowTexts[row]));
      open.push_back(&current.items.back());
    } else if (id == kChooseLanguageCommand && languageActive) {
      current.items.push_back(MenuItem::Command(id, kChangeToEnglishText));
    } else {
      current.items.push_back(MenuItem::Command(id, rowTexts[row]));
    }
  }
  return bar;
}

void AddRunTimeMenuItems(MenuItem* bar) {
  if (MenuItem* curve = TopPopup(bar, kCurvePosition)) curve->items.push_back(LocalizedCommand(7200));
  if (MenuItem* misc = TopPopup(bar, kMiscPosition)) {
    misc->items.push_back(LocalizedCommand(9301));
    MenuItem stlOutput = MenuItem::Popup(GetLocalizedString(99901));
    stlOutput.items = {LocalizedCommand(9131), LocalizedCommand(9132)};
    InsertAt(misc, kStlOutputPosition, std::move(stlOutput));
  }
  MenuItem outside = OutsideProgramsPopup();
  MenuItem* file = TopPopup(bar, kFilePosition);
  if (file != nullptr && !outside.items.empty()) {
    InsertAt(file, kExportPrintPosition, MenuItem::Separator());
    InsertAt(file, kExportPrintPosition, std::move(outside));
  }
}

namespace {
bool languageLoaded = false;
}  // namespace

bool LanguageActive() { return languageLoaded; }

void BuildMenus() {
  std::optional<LanguageTexts> language;
  if (!LanguageFileName.empty()) language = ReadLanguageFile(GetProgramDir() + LanguageFileName, MenuStringTable, kLateStringRows);
  const std::vector<std::string> rowTexts = language ? language->rowTexts : EnglishRowTexts(MenuStringTable);

  languageLoaded = language.has_value();
  MenuItem bar = BuildMenuTree(MenuStringTable, rowTexts, languageLoaded);
  FillStringTable(MenuStringTable, rowTexts);
  AddRunTimeMenuItems(&bar);
  // The hotkeys go into the new bar before it shows, so a language change keeps them.
  WriteMenuHotkeyText(bar);
  Bar() = std::move(bar);
  if (menuFrame != nullptr) {
    menuFrame->SetToolBarTitles();
    menuFrame->InstallMenuBar(Bar());
  }
}

const MenuItem& CurrentMenuBar() { return Bar(); }

MenuItem& MutableMenuBar() { return Bar(); }

void ReinstallMenuBar() {
  if (menuFrame != nullptr) menuFrame->InstallMenuBar(Bar());
}

#include "services/menu_hotkey_text.h"

#include "services/hotkey_table.h"

void WriteMenuHotkeyText(MenuItem& menu) {
  for (MenuItem& item : menu.items) {
    if (item.kind == MenuItem::Kind::kSeparator || item.text.empty()) continue;
    if (item.id >= kFirstRecentFileItem && item.id <= kLastRecentFileItem) continue;
    if (item.kind == MenuItem::Kind::kPopup) {
      WriteMenuHotkeyText(item);
      continue;
    }
    const std::size_t tab = item.text.find('\t');
    if (tab != std::string::npos && tab > 0) item.text.resize(tab);
    const std::string hotkey = GetHotkeyText(item.id);
    if (!hotkey.empty()) item.text += "\t" + hotkey;
  }
}

void RefreshMenuHotkeyText() {
  WriteMenuHotkeyText(MutableMenuBar());
  ReinstallMenuBar();
}

#pragma once

#include <string>
#include <vector>

#include "app/qt/app_dialog_views.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "qt_test.h"
#include "services/menu_string_table.h"
#include "services/string_table.h"

// Dialogs run in their Qt views, while the common dialogs and the launcher stay headless and
// scripted.
class DialogViewTest : public QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    RegisterAppDialogViews(platform().ui());
    InstallPlatformServices({&platform().ui(), &Headless(), &platform().settings(), nullptr, &platform().input()});
  }
};

// A test language: every text of the built-in table with "T:" before it, so that a view shows
// which of its texts it took from the table. Empty texts stay empty.
inline void UseTestLanguage() {
  std::vector<std::string> texts;
  for (const MenuTableRow& row : MenuStringTable) {
    texts.push_back(std::string(row.text).empty() ? "" : "T:" + std::string(row.text));
  }
  FillStringTable(MenuStringTable, texts);
}

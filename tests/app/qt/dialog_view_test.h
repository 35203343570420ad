#pragma once

#include "app/qt/app_dialog_views.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "qt_test.h"

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

#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "platform/qt/qt_platform.h"
#include "program_state.h"
#include "temp_dir.h"

// Base of fixtures that use Qt widgets: a QApplication on the offscreen platform, the Qt backends
// installed for the test, and the settings store in a temporary folder.
class QtTest : public LumidrexTest {
 protected:
  // The application exists before any widget of a fixture is built.
  QtTest();
  void SetUp() override;
  void TearDown() override;

  QtPlatform& platform() { return *platform_; }
  const TempDir& settingsFolder() const { return settingsFolder_; }
  // Runs action on the next modal window once it is open, from inside its event loop.
  static void WhenModalOpens(std::function<void(QWidget*)> action);

 private:
  TempDir settingsFolder_;
  std::unique_ptr<QtPlatform> platform_;
};

#include "shell_test.h"

#include <cstdlib>

#include "app/qt/splash_wnd.h"
#include "platform/program_folder.h"
#include "record_fixture.h"

void ShellTest::SetUp() {
  QtTest::SetUp();
  SetProgramDirOverride(programFolder.path());
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  savedDataHome_ = dataHome != nullptr ? dataHome : "";
  setenv("XDG_DATA_HOME", dataHome_.path().c_str(), 1);
}

void ShellTest::TearDown() {
  Exit();
  if (savedDataHome_.empty()) {
    unsetenv("XDG_DATA_HOME");
  } else {
    setenv("XDG_DATA_HOME", savedDataHome_.c_str(), 1);
  }
  QtTest::TearDown();
}

CVornApp& ShellTest::Start(const std::vector<std::string>& arguments) {
  arguments_ = {"lumidrex"};
  arguments_.insert(arguments_.end(), arguments.begin(), arguments.end());
  argv_.clear();
  for (std::string& argument : arguments_) argv_.push_back(argument.data());
  argv_.push_back(nullptr);
  argc_ = static_cast<int>(arguments_.size());
  app_ = std::make_unique<CVornApp>(argc_, argv_.data());
  EXPECT_TRUE(app_->InitInstance());
  // The start-up splash would take the test's first key or click.
  if (CSplashWnd* splash = CSplashWnd::Live()) splash->OnTimer();
  return *app_;
}

CVornApp& ShellTest::Restart(const std::vector<std::string>& arguments) {
  Exit();
  ResetProgramState();
  SetProgramDirOverride(programFolder.path());
  return Start(arguments);
}

void ShellTest::Exit() {
  if (!app_) return;
  app_->ExitInstance();
  app_.reset();
}

std::string ShellTest::WriteDesign(const std::string& name) const {
  return programFolder.Write(name, DesignFile({AxisLineRecord(0, 5)}));
}

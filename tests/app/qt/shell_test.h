#pragma once

#include <QSettings>

#include <memory>
#include <string>
#include <vector>

#include "app/qt/main_frame.h"
#include "app/qt/vorn_app.h"
#include "qt_test.h"
#include "temp_dir.h"

// Starts the whole program as the real one does, with its profile, program folder and desktop
// files in temporary folders.
class ShellTest : public QtTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // InitInstance with these command-line arguments.
  CVornApp& Start(const std::vector<std::string>& arguments = {});
  // ExitInstance, then the program-wide state as a new process finds it, then a new start.
  CVornApp& Restart(const std::vector<std::string>& arguments = {});
  void Exit();

  CMainFrame& frame() { return *app_->MainFrame(); }
  static QSettings Profile() { return QSettings(QStringLiteral("Kelmora"), QStringLiteral("Lumidrex")); }
  // A design holding one axis line, in the program folder.
  std::string WriteDesign(const std::string& name) const;

  TempDir programFolder;

 private:
  TempDir dataHome_;
  std::string savedDataHome_;
  std::vector<std::string> arguments_;
  std::vector<char*> argv_;
  int argc_ = 0;
  std::unique_ptr<CVornApp> app_;
};

#pragma once

#include <QObject>

#include <memory>
#include <string>
#include <vector>

#include "app/command_routing.h"

class CMainFrame;
class CVornDoc;
class LibGlCalls;
class QApplication;
class QtPlatform;

// The application: starts the program's services and its main window, keeps the one document
// policy's entry points and writes the profile back at the end.
class CVornApp : public QObject {
 public:
  // Makes the QApplication unless one exists already (tests keep theirs).
  CVornApp(int& argc, char** argv);
  ~CVornApp() override;
  CVornApp(const CVornApp&) = delete;
  CVornApp& operator=(const CVornApp&) = delete;

  // false when the program cannot start.
  bool InitInstance();
  // Writes the profile; the main window and the services go.
  int ExitInstance();

  CVornDoc* OpenDocumentFile(const std::string& path);
  void OnFileNew();               // 57600
  void OnFileOpen();              // 57601
  void OnAppAbout();              // 57664
  void OnHelpHomePage();          // 1200
  void OnOpenRecentFile(int id);  // 57616 and up

  // Looks at every event before it is dispatched; true consumes it.
  // Key presses meant for the main window that match a hotkey run its command at once.
  bool PreTranslateMessage(QObject* target, QEvent* event);

  CMainFrame* MainFrame() const { return mainFrame_.get(); }
  // The design file named on the command line; empty when none.
  const std::string& CommandLineFile() const { return commandLineFile_; }

 protected:
  bool eventFilter(QObject* target, QEvent* event) override { return PreTranslateMessage(target, event); }

 private:
  void ParseCommandLine();
  void AddCommandRows();
  // A key for a widget of the main window (its floating toolbars included) while no modal
  // dialog or menu is open: a key in any other window never fires a hotkey.
  bool IsMainWindowKey(const QWidget* widget) const;
  std::vector<CommandHolder*> RoutingChain();

  std::unique_ptr<QApplication> application_;
  std::vector<std::string> arguments_;
  std::string commandLineFile_;
  std::unique_ptr<QtPlatform> platform_;
  std::unique_ptr<LibGlCalls> gl_;
  std::unique_ptr<CMainFrame> mainFrame_;
  CommandMap commands_;          // the application's own
  CommandMap platformDefaults_;  // exit, the recent files and new window
};

#pragma once

#include <QMainWindow>
#include <QTimer>

#include <map>
#include <memory>
#include <string>

#include "app/command_routing.h"
#include "app/document_policy.h"
#include "services/menu_builder.h"

class CChildFrame;
class CRepeatToolBar;
class CVornDoc;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QtMdiHost;

// The program's main window: the menu bar built from the string table, nine dockable toolbars,
// the status bar and the MDI area holding the child windows of the one document.
class CMainFrame : public QMainWindow, public MenuFrame, public DocumentFrames {
 public:
  CMainFrame();
  ~CMainFrame() override;

  // MenuFrame.
  void InstallMenuBar(const MenuItem& bar) override;
  void SetToolBarTitles() override;

  // DocumentFrames.
  CVornDoc* ActiveDocument() override;
  CVornDoc* OpenFirstChildWindow() override;
  void UpdateFrameTitle() override { OnUpdateFrameTitle(); }

  // Runs a command through the routing chain, then brings the toolbars' marks up to date.
  void OnCommand(int id);
  // Every enabled state and check mark of the toolbars from the routing chain.
  void RefreshToolBarStates();

  // Docks the nine toolbars on their sides again, each keeping whether it is shown.
  void ResetToolBars();
  // "Lumidrex 5.1 - " and the active document's title with Qt's placeholder "[*]" for the mark
  // of unsaved changes; only the prefix without a child window.
  QString FrameTitle() const;
  // The title, marked while the document has unsaved changes.
  void OnUpdateFrameTitle();

  // A further child window with a new view of the active document (new window, 57648).
  void OnWindowNew();
  // The active child window; null without one.
  CChildFrame* ActiveChildFrame() const;

  // The toolbar layout in the profile, as the last run left it; none, or one that cannot be
  // restored safely (RestorableToolBarState), keeps the docking of ResetToolBars.
  void LoadBarState();
  // Saves the toolbar layout and takes the window off the screen; the application deletes it.
  void DestroyWindow();

  // Holds 3500-3509 (the toolbars), 57667 and 57669 (help), with marks for 3501-3509.
  CommandHolder& Commands() { return commands_; }
  // The view holder of the active child window; null without one.
  CommandHolder* ActiveViewCommands();
  // The document's own commands (Save, Save As); null without a document.
  CommandHolder* DocumentCommands();

  QMdiArea* MdiArea() const { return mdiArea_; }
  QToolBar* ToolBar(int resource) const;
  CRepeatToolBar* ViewToolBar() const { return viewToolBar_; }
  QLabel* StatusPane() const { return statusPane_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // A child window's close: with the document's last window the save question comes first.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateToolBars();
  // In the default layout, a top bar that does not fit beside the ones before it starts a new
  // row (Qt would hide the buttons that do not fit behind a chevron).
  void BreakTopRowAsNeeded();
  void ToggleToolBar(int command);
  QToolBar* ToolBarOfCommand(int command) const;
  void AddCommandRows();
  void RefreshMenu(QMenu* menu);
  void RefreshAction(QAction* action);
  CChildFrame* CreateChildFrame(CVornDoc* document);
  void DestroyChildFrame(CChildFrame* child);
  // Every child window, then the document.
  void DestroyChildFrames();

  QMdiArea* mdiArea_ = nullptr;
  std::unique_ptr<QtMdiHost> mdiHost_;
  QLabel* statusPane_ = nullptr;
  CRepeatToolBar* viewToolBar_ = nullptr;
  std::map<int, QToolBar*> toolBars_;  // by resource
  bool defaultBarLayout_ = true;       // false once a saved layout was restored
  CommandMap commands_;
  QTimer idleRefresh_;
  std::unique_ptr<CVornDoc> document_;
  CommandMap documentCommands_;  // Save and Save As
  std::map<CChildFrame*, std::unique_ptr<CommandHolder>> viewCommands_;
};

#pragma once

#include <QCursor>
#include <QLabel>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui_services.h"

class QWidget;

// The UI services over Qt Widgets: message boxes, the wait cursor, the main window's status bar
// and view area, and the tool's cursor over the view widgets. The program's dialogs are shown by
// the views registered for them.
class QtUiServices : public UiServices {
 public:
  // Shows a dialog's model; returns kAnswerOk or kAnswerCancel.
  using DialogView = std::function<int(DialogModel& model, QWidget* parent)>;
  // Builds the window of a modeless model, not yet shown; parent is the main window.
  using ModelessView = std::function<QWidget*(DialogModel& model, QWidget* parent)>;

  // Not owned; null when there is none.
  void SetMainWindow(QMainWindow* window) { mainWindow_ = window; }
  // The status-bar widget that keeps the status text; without one the text is the status bar's
  // message.
  void SetStatusPane(QLabel* pane) { statusPane_ = pane; }
  void RegisterToolCursor(int cursorId, const QCursor& cursor) { cursors_[cursorId] = cursor; }
  // A widget that shows the current tool's cursor from now on; not owned.
  void AddToolCursorWidget(QWidget* widget);
  void RegisterDialogView(const std::string& dialogName, DialogView view) { views_[dialogName] = std::move(view); }
  void RegisterModelessView(const std::string& dialogName, ModelessView view) {
    modelessViews_[dialogName] = std::move(view);
  }
  // The open window of a model; null when it has none.
  QWidget* ModelessWindow(const DialogModel& model) const;

  bool HasMainWindow() const override { return !mainWindow_.isNull(); }
  void ShowStatusText(const std::string& text) override;
  int ShowMessage(const std::string& text, const std::string& caption, int buttons) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void SetToolCursor(int cursorId) override;
  bool GrabViewArea(Picture* picture) override;
  int RunDialog(DialogModel& dialog) override;
  // The window opens over the main window, a transient of it, where the user last moved it in
  // this run (at first at the top right of the view area), and takes the focus.
  void OpenModelessDialog(DialogModel& dialog) override;
  // The window goes later, as the close may come from inside one of its own signals.
  void CloseModelessDialog(DialogModel& dialog) override;
  std::unique_ptr<ProgressWindow> OpenProgressWindow(ProgressWindowClient& client,
                                                     const std::string& cancelText) override;

 private:
  QPointer<QMainWindow> mainWindow_;
  QPointer<QLabel> statusPane_;
  std::map<int, QCursor> cursors_;
  QCursor toolCursor_{Qt::ArrowCursor};
  std::vector<QPointer<QWidget>> toolCursorWidgets_;
  std::map<std::string, DialogView> views_;
  std::map<std::string, ModelessView> modelessViews_;
  struct ModelessEntry {
    QPointer<QWidget> window;
    // The dialog's name, known at the close, which may come from the model's destructor.
    std::string name;
    QPoint placedAt;
  };
  std::map<const DialogModel*, ModelessEntry> modelessWindows_;
  // Where the user moved each dialog's window to, by name, for the rest of the run.
  std::map<std::string, QPoint> modelessPlaces_;
};

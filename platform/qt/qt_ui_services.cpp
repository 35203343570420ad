#include "platform/qt/qt_ui_services.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QPoint>
#include <QStatusBar>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#include "platform/qt/qt_picture_codec.h"
#include "platform/qt/qt_progress_window.h"

namespace {

// The gap between a tool window and the edges of the view area.
constexpr int kModelessMargin = 8;

}  // namespace

void QtUiServices::ShowStatusText(const std::string& text) {
  if (!mainWindow_) return;
  if (!statusPane_) {
    mainWindow_->statusBar()->showMessage(QString::fromStdString(text));
    return;
  }
  statusPane_->setText(QString::fromStdString(text));
  // A prompt still covering the pane would hide the new text.
  mainWindow_->statusBar()->clearMessage();
}

int QtUiServices::ShowMessage(const std::string& text, const std::string& caption, int buttons) {
  QMessageBox::StandardButtons shown = QMessageBox::Ok;
  if (buttons == kMessageYesNo) shown = QMessageBox::Yes | QMessageBox::No;
  if (buttons == kMessageYesNoCancel) shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  // Over the dialog that asked, when one is open (a layer file's failure over the Layers dialog).
  QWidget* over = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : mainWindow_;
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text), shown, over);
  const int answer = box.exec();
  if (buttons == kMessageOk) return kAnswerOk;
  if (answer == QMessageBox::Yes) return kAnswerYes;
  // Closing a question with Cancel in it cancels; a Yes/No question takes it as No.
  return answer == QMessageBox::No || buttons == kMessageYesNo ? kAnswerNo : kAnswerCancel;
}

void QtUiServices::BeginWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

void QtUiServices::EndWaitCursor() { QGuiApplication::restoreOverrideCursor(); }

void QtUiServices::AddToolCursorWidget(QWidget* widget) {
  std::erase_if(toolCursorWidgets_, [](const QPointer<QWidget>& known) { return known.isNull(); });
  toolCursorWidgets_.emplace_back(widget);
  widget->setCursor(toolCursor_);
}

void QtUiServices::SetToolCursor(int cursorId) {
  const auto found = cursors_.find(cursorId);
  toolCursor_ = found != cursors_.end() ? found->second : QCursor(Qt::ArrowCursor);
  for (const QPointer<QWidget>& widget : toolCursorWidgets_) {
    if (widget) widget->setCursor(toolCursor_);
  }
}

bool QtUiServices::GrabViewArea(Picture* picture) {
  if (!mainWindow_ || mainWindow_->centralWidget() == nullptr) return false;
  QWidget* area = mainWindow_->centralWidget();
  // Of an MDI area, the part that holds the child windows.
  if (auto* scrolling = qobject_cast<QAbstractScrollArea*>(area)) area = scrolling->viewport();
  const QImage image = area->grab().toImage();
  if (image.isNull()) return false;
  *picture = PictureFromImage(image);
  return true;
}

int QtUiServices::RunDialog(DialogModel& dialog) {
  const auto view = views_.find(dialog.DialogName());
  if (view == views_.end()) {
    qWarning("No view is registered for the dialog %s", dialog.DialogName());
    return kAnswerCancel;
  }
  return view->second(dialog, mainWindow_);
}

void QtUiServices::OpenModelessDialog(DialogModel& dialog) {
  const auto view = modelessViews_.find(dialog.DialogName());
  if (view == modelessViews_.end()) {
    qWarning("No view is registered for the dialog %s", dialog.DialogName());
    return;
  }
  CloseModelessDialog(dialog);
  QWidget* window = view->second(dialog, mainWindow_);
  if (window == nullptr) return;
  ModelessEntry& entry = modelessWindows_[&dialog];
  entry.window = window;
  entry.name = dialog.DialogName();
  window->adjustSize();
  if (mainWindow_) {
    // Beside the views, at the top right of the view area, so it leaves the middle free to drag
    // in; kept on the main window when that is narrower than the dialog.
    const QWidget* area =
        mainWindow_->centralWidget() != nullptr ? mainWindow_->centralWidget() : mainWindow_.data();
    const QPoint topLeft = area->mapToGlobal(QPoint(0, 0));
    const QPoint corner(std::max(topLeft.x(), topLeft.x() + area->width() - window->width() - kModelessMargin),
                        topLeft.y() + kModelessMargin);
    const auto moved = modelessPlaces_.find(entry.name);
    entry.placedAt = moved != modelessPlaces_.end() ? moved->second : corner;
    window->move(entry.placedAt);
    // A transient of the main window: the window manager keeps it above the main window and
    // places it there rather than where new windows go.
    window->winId();
    window->windowHandle()->setTransientParent(mainWindow_->windowHandle());
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void QtUiServices::CloseModelessDialog(DialogModel& dialog) {
  const auto found = modelessWindows_.find(&dialog);
  if (found == modelessWindows_.end()) return;
  if (QWidget* window = found->second.window) {
    if (window->isVisible() && window->pos() != found->second.placedAt) {
      modelessPlaces_[found->second.name] = window->pos();
    }
    // Nothing the window does on its way out may reach the model, which may be going: a field
    // that had the focus reports its edit when the window hides.
    window->blockSignals(true);
    for (QObject* part : window->findChildren<QObject*>()) part->blockSignals(true);
    window->hide();
    window->deleteLater();
  }
  modelessWindows_.erase(found);
}

QWidget* QtUiServices::ModelessWindow(const DialogModel& model) const {
  const auto found = modelessWindows_.find(&model);
  return found != modelessWindows_.end() ? found->second.window.data() : nullptr;
}

std::unique_ptr<ProgressWindow> QtUiServices::OpenProgressWindow(ProgressWindowClient& client,
                                                                 const std::string& cancelText) {
  return std::make_unique<QtProgressWindow>(client, mainWindow_, cancelText);
}

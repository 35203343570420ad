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

#include "platform/qt/qt_picture_codec.h"
#include "platform/qt/qt_progress_window.h"

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
  modelessWindows_[&dialog] = window;
  // Beside the views, at the top right of the view area, so it leaves the middle free to drag in.
  if (mainWindow_ && mainWindow_->centralWidget() != nullptr) {
    const QWidget* area = mainWindow_->centralWidget();
    window->adjustSize();
    const QPoint corner = area->mapToGlobal(QPoint(area->width() - window->width() - 8, 8));
    window->move(corner);
  }
  window->show();
}

void QtUiServices::CloseModelessDialog(DialogModel& dialog) {
  const auto found = modelessWindows_.find(&dialog);
  if (found == modelessWindows_.end()) return;
  if (found->second) {
    found->second->hide();
    found->second->deleteLater();
  }
  modelessWindows_.erase(found);
}

QWidget* QtUiServices::ModelessWindow(const DialogModel& model) const {
  const auto found = modelessWindows_.find(&model);
  return found != modelessWindows_.end() ? found->second.data() : nullptr;
}

std::unique_ptr<ProgressWindow> QtUiServices::OpenProgressWindow(ProgressWindowClient& client,
                                                                 const std::string& cancelText) {
  return std::make_unique<QtProgressWindow>(client, mainWindow_, cancelText);
}

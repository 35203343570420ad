// The main frame's child windows and the one document they show.

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMetaObject>
#include <QMimeData>
#include <QUrl>

#include "app/document_policy.h"
#include "app/qt/child_frame.h"
#include "app/qt/main_frame.h"
#include "app/recent_file_list.h"
#include "app/view_command_map.h"
#include "app/vorn_doc.h"
#include "scene/vorn_view.h"

CVornDoc* CMainFrame::ActiveDocument() { return ActiveChildFrame() != nullptr ? document_.get() : nullptr; }

// The current child stays current while another program is active: posted commands still reach it.
CChildFrame* CMainFrame::ActiveChildFrame() const {
  return dynamic_cast<CChildFrame*>(mdiArea_->currentSubWindow());
}

CVornDoc* CMainFrame::OpenFirstChildWindow() {
  document_ = std::make_unique<CVornDoc>();
  document_->SetRecentFileSink([](const std::string& path) { ProgramRecentFiles().Add(path); });
  document_->SetModifiedSink([this] { OnUpdateFrameTitle(); });
  CreateChildFrame(document_.get())->showMaximized();
  return document_.get();
}

void CMainFrame::OnWindowNew() {
  if (ActiveChildFrame() == nullptr) return;
  CreateChildFrame(document_.get())->show();
}

CChildFrame* CMainFrame::CreateChildFrame(CVornDoc* document) {
  auto* child = new CChildFrame(document);
  child->SetMainFrameTitleUpdate([this] { OnUpdateFrameTitle(); });
  // Closing goes through the event filter, which asks first and keeps the document alive until
  // the view is gone.
  child->setAttribute(Qt::WA_DeleteOnClose, false);
  child->installEventFilter(this);
  viewCommands_[child] = std::make_unique<CommandMap>(BuildViewCommandMap(child->view()));
  mdiArea_->addSubWindow(child);
  child->OnUpdateFrameTitle();
  return child;
}

CommandHolder* CMainFrame::ActiveViewCommands() {
  const auto found = viewCommands_.find(ActiveChildFrame());
  return found != viewCommands_.end() ? found->second.get() : nullptr;
}

CommandHolder* CMainFrame::DocumentCommands() { return document_ ? &documentCommands_ : nullptr; }

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  auto* child = dynamic_cast<CChildFrame*>(watched);
  if (child == nullptr || event->type() != QEvent::Close) return QMainWindow::eventFilter(watched, event);
  // The last window of the document asks before the document goes with it.
  const bool last = mdiArea_->subWindowList().size() == 1;
  if (last && document_ && !document_->SaveModified()) {
    event->ignore();
    return true;
  }
  event->ignore();
  // Outside the child's own event handling: the view goes first, then, with the last window,
  // the document (which empties the scene).
  QMetaObject::invokeMethod(this, [this, child] { DestroyChildFrame(child); }, Qt::QueuedConnection);
  return true;
}

void CMainFrame::DestroyChildFrame(CChildFrame* child) {
  if (!mdiArea_->subWindowList().contains(child)) return;
  viewCommands_.erase(child);
  delete child;
  if (mdiArea_->subWindowList().isEmpty()) document_.reset();
  OnUpdateFrameTitle();
  // The view's commands may have no holder now.
  RefreshToolBarStates();
}

void CMainFrame::DestroyChildFrames() {
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) delete window;
  viewCommands_.clear();
  document_.reset();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (document_ && !document_->SaveModified()) {
    event->ignore();
    return;
  }
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) ::OpenDocumentFile(*this, url.toLocalFile().toStdString());
  }
  event->acceptProposedAction();
}

#include "app/qt/child_frame.h"

#include <QMdiArea>

#include "app/qt/vorn_view_widget.h"
#include "services/string_table.h"

namespace {

// Strings 10025-10030 name the fixed types 1-6; 10024 "3D" any other.
constexpr int kFreeViewTitle = 10024;

int ViewTitleString(int viewType) {
  return viewType >= kViewFront && viewType <= kViewBottom ? kFreeViewTitle + viewType : kFreeViewTitle;
}

}  // namespace

CChildFrame::CChildFrame(CVornDoc* document, QWidget* parent)
    : QMdiSubWindow(parent), viewWidget_(new VornViewWidget(document)) {
  setWidget(viewWidget_);
  setAttribute(Qt::WA_DeleteOnClose);
  viewWidget_->SetFrame(this);
  OnUpdateFrameTitle();
}

CVornView& CChildFrame::view() { return viewWidget_->view(); }

// The MDI area activates a child as it is shown; the active child is given back.
void CChildFrame::PlaceWithoutActivating(int x, int y, int width, int height) {
  setGeometry(x, y, width, height);
  if (isHidden()) {
    QMdiArea* area = mdiArea();
    QMdiSubWindow* active = area != nullptr ? area->activeSubWindow() : nullptr;
    show();
    if (active != nullptr && area->activeSubWindow() != active) area->setActiveSubWindow(active);
  }
  update();
}

void CChildFrame::Activate() {
  if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
}

void CChildFrame::OnUpdateFrameTitle() {
  if (mainFrameTitleUpdate_) mainFrameTitleUpdate_();
  setWindowTitle(QString::fromStdString(GetLocalizedString(ViewTitleString(view().viewType))));
}

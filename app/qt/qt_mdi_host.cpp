#include "app/qt/qt_mdi_host.h"

#include <QMdiSubWindow>

#include "app/qt/child_frame.h"
#include "scene/vorn_view.h"

QtMdiHost::QtMdiHost(QMdiArea* area) : area_(area) {
  activation_ = QObject::connect(area, &QMdiArea::subWindowActivated, [](QMdiSubWindow* window) {
    if (auto* frame = dynamic_cast<CChildFrame*>(window)) frame->view().OnActivateView(true);
  });
  SetMdiHost(this);
}

QtMdiHost::~QtMdiHost() {
  QObject::disconnect(activation_);
  if (GetMdiHost() == this) SetMdiHost(nullptr);
}

int QtMdiHost::ClientWidth() const { return area_ ? area_->viewport()->width() : 0; }

int QtMdiHost::ClientHeight() const { return area_ ? area_->viewport()->height() : 0; }

ViewFrame* QtMdiHost::ActiveFrame() const {
  return area_ ? dynamic_cast<CChildFrame*>(area_->activeSubWindow()) : nullptr;
}

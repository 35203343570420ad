#include "app/qt/qt_mdi_host.h"

#include <QEvent>
#include <QMdiSubWindow>

#include "app/qt/child_frame.h"
#include "scene/view_tiling.h"
#include "scene/vorn_view.h"

QtMdiHost::QtMdiHost(QMdiArea* area) : area_(area) {
  activation_ = QObject::connect(area, &QMdiArea::subWindowActivated, [](QMdiSubWindow* window) {
    if (auto* frame = dynamic_cast<CChildFrame*>(window)) frame->view().OnActivateView(true);
  });
  // A smaller main window keeps every child reachable.
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->viewport()->installEventFilter(this);
  SetMdiHost(this);
}

QtMdiHost::~QtMdiHost() {
  QObject::disconnect(activation_);
  if (area_) area_->viewport()->removeEventFilter(this);
  if (GetMdiHost() == this) SetMdiHost(nullptr);
}

int QtMdiHost::ClientWidth() const { return area_ ? area_->viewport()->width() : 0; }

int QtMdiHost::ClientHeight() const { return area_ ? area_->viewport()->height() : 0; }

ViewFrame* QtMdiHost::ActiveFrame() const {
  return area_ ? dynamic_cast<CChildFrame*>(area_->activeSubWindow()) : nullptr;
}

void QtMdiHost::Tiled(const Tiling& tiling, std::span<ViewFrame* const> slotFrames) {
  tiling_ = &tiling;
  tiled_.clear();
  for (int slot = 0; slot < static_cast<int>(slotFrames.size()); ++slot) {
    auto* window = dynamic_cast<CChildFrame*>(slotFrames[static_cast<std::size_t>(slot)]);
    if (window != nullptr) tiled_.push_back({window, slot, window->geometry()});
  }
}

bool QtMdiHost::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && area_ && watched == area_->viewport()) Retile();
  return false;
}

void QtMdiHost::Retile() {
  if (tiling_ == nullptr) return;
  for (const TiledFrame& frame : tiled_) {
    if (!frame.window || frame.window->isHidden() || frame.window->isMinimized() || frame.window->isMaximized() ||
        frame.window->geometry() != frame.placed) {
      tiling_ = nullptr;
      tiled_.clear();
      return;
    }
  }
  for (TiledFrame& frame : tiled_) {
    const TileRect rect = TileSlotRect(*tiling_, frame.slot, ClientWidth(), ClientHeight());
    frame.window->setGeometry(rect.x, rect.y, rect.width, rect.height);
    frame.placed = frame.window->geometry();
  }
}

#include "app/qt/vorn_view_widget.h"

#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QTransform>
#include <QWheelEvent>

#include "app/qt/navigation_hint_box.h"
#include "app/vorn_doc.h"
#include "platform/platform_services.h"
#include "platform/qt/qt_ui_services.h"
#include "scene/tool.h"
#include "scene/view_frame.h"

namespace {

// The Windows key-state bits of a mouse message; middle and extra buttons have none.
int MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  int flags = 0;
  if (buttons & Qt::LeftButton) flags |= kMouseLeftButton;
  if (buttons & Qt::RightButton) flags |= kMouseRightButton;
  if (modifiers & Qt::ShiftModifier) flags |= kMouseShift;
  if (modifiers & Qt::ControlModifier) flags |= kMouseControl;
  return flags;
}

bool IsTab(const QKeyEvent* event) { return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab; }

}  // namespace

VornViewWidget::VornViewWidget(CVornDoc* document, QWidget* parent)
    : QWidget(parent), document_(document), view_(std::make_unique<CVornView>(document, this)) {
  document_->AddView(view_.get());
  // Keys reach the view once its frame is activated or it is clicked.
  setFocusPolicy(Qt::StrongFocus);
  // Presenting covers the pane; the view never erases.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Moves without a button come too, as on Windows: one may show that a release went elsewhere.
  setMouseTracking(true);
  if (auto* ui = dynamic_cast<QtUiServices*>(Platform().ui)) ui->AddToolCursorWidget(this);
}

VornViewWidget::~VornViewWidget() { document_->RemoveView(view_.get()); }

// The view's window image is always a canvas, which the box's text is drawn over.
void VornViewWidget::DrawHintBox(DeviceContext& windowImage) {
  if (auto* canvas = dynamic_cast<RasterCanvas*>(&windowImage)) PaintNavigationHintBox(*canvas);
}

bool VornViewWidget::event(QEvent* event) {
  // Another window became active, or a modal one opened over ours: button releases will not
  // come here.
  if (event->type() == QEvent::WindowDeactivate || event->type() == QEvent::WindowBlocked) EndHeldButtons();
  return QWidget::event(event);
}

// Only presents. An image that does not fit the widget (first show, resize) asks for one draw
// from the event loop and is shown as it is meanwhile.
void VornViewWidget::paintEvent(QPaintEvent*) {
  const RasterCanvas& image = view_->windowImage;
  if (QSize(image.width(), image.height()) != size() && drawAskedFor_ != size()) {
    drawAskedFor_ = size();
    QMetaObject::invokeMethod(this, [this] { view_->InvalidateViewportRect(); }, Qt::QueuedConnection);
  }
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (image.width() == 0) return;
  // The canvas rows are bottom-up: drawn upside down, they come out upright.
  const QImage rows(image.rows().data(), image.width(), image.height(), image.rowBytes(),
                    QImage::Format_BGR888);
  painter.setTransform(QTransform(1, 0, 0, -1, 0, image.height()));
  painter.drawImage(0, 0, rows);
}

// A minimised frame keeps the pane as it was.
void VornViewWidget::resizeEvent(QResizeEvent*) {
  int sizeType = kSizeRestored;
  if (frame_ != nullptr && frame_->IsMinimized()) {
    sizeType = kSizeMinimized;
  } else if (frame_ != nullptr && frame_->IsMaximized()) {
    sizeType = kSizeMaximized;
  }
  view_->OnSize(sizeType, width(), height());
}

void VornViewWidget::hideEvent(QHideEvent* event) {
  EndHeldButtons();
  QWidget::hideEvent(event);
}

void VornViewWidget::focusOutEvent(QFocusEvent* event) {
  EndHeldButtons();
  view_->OnFocusLost();
  QWidget::focusOutEvent(event);
}

// Tab and Backtab are the navigation key, never a focus move.
bool VornViewWidget::focusNextPrevChild(bool) { return false; }

void VornViewWidget::keyPressEvent(QKeyEvent* event) {
  if (!IsTab(event)) {
    QWidget::keyPressEvent(event);
    return;
  }
  view_->OnKeyDown(kKeyTab);
}

// A held key repeats as release and press pairs; only the real release counts.
void VornViewWidget::keyReleaseEvent(QKeyEvent* event) {
  if (!IsTab(event)) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  if (!event->isAutoRepeat()) view_->OnKeyUp(kKeyTab);
}

void VornViewWidget::mousePressEvent(QMouseEvent* event) {
  EndHeldButtonsMissingFrom(event->buttons());
  ButtonMessage(event, &CVornView::OnLButtonDown, &CVornView::OnRButtonDown);
}

void VornViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  ButtonMessage(event, &CVornView::OnLButtonUp, &CVornView::OnRButtonUp);
}

// Qt's default would make the second press a plain press; Windows sends down, up, double-click,
// up, and the double-click goes to the tool as such.
void VornViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  EndHeldButtonsMissingFrom(event->buttons());
  ButtonMessage(event, &CVornView::OnLButtonDblClk, &CVornView::OnRButtonDblClk);
}

// Moves are handed on from the event loop, newest only: a move that a newer one overtakes would
// only be dropped by the view.
void VornViewWidget::mouseMoveEvent(QMouseEvent* event) {
  EndHeldButtonsMissingFrom(event->buttons());
  const bool queued = pendingMove_.has_value();
  pendingMove_ = MessageOf(*event);
  if (!queued) QMetaObject::invokeMethod(this, [this] { DeliverMove(); }, Qt::QueuedConnection);
}

// Turns that arrive before the queued call are summed and applied once, with the last turn's
// flags. Only the vertical wheel counts.
void VornViewWidget::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  pendingMove_.reset();
  const bool queued = pendingWheel_.has_value();
  pendingWheel_ = MessageOf(*event);
  pendingWheelDelta_ += delta;
  if (!queued) QMetaObject::invokeMethod(this, [this] { DeliverWheel(); }, Qt::QueuedConnection);
}

// A button message goes to the view at once: the newest move is dropped, and wheel turns that
// came before it are applied first.
void VornViewWidget::ButtonMessage(const QMouseEvent* event, ButtonHandler left, ButtonHandler right) {
  const Qt::MouseButton button = event->button();
  if (button != Qt::LeftButton && button != Qt::RightButton) return;
  pendingMove_.reset();
  DeliverWheel();
  const PointerMessage message = MessageOf(*event);
  (view_.get()->*(button == Qt::LeftButton ? left : right))(message.flags, message.x, message.y);
}

VornViewWidget::PointerMessage VornViewWidget::MessageOf(const QSinglePointEvent& event) {
  const QPoint point = event.position().toPoint();
  return {MouseFlags(event.buttons(), event.modifiers()), point.x(), point.y()};
}

void VornViewWidget::EndHeldButtons() {
  if (view_->buttonBits != 0) view_->OnCaptureLost();
}

void VornViewWidget::EndHeldButtonsMissingFrom(Qt::MouseButtons buttons) {
  const bool leftGone = (view_->buttonBits & kMouseLeftButton) != 0 && !(buttons & Qt::LeftButton);
  const bool rightGone = (view_->buttonBits & kMouseRightButton) != 0 && !(buttons & Qt::RightButton);
  if (leftGone || rightGone) view_->OnCaptureLost();
}

void VornViewWidget::DeliverMove() {
  if (!pendingMove_) return;
  const PointerMessage move = *pendingMove_;
  pendingMove_.reset();
  view_->OnMouseMove(move.flags, move.x, move.y);
}

void VornViewWidget::DeliverWheel() {
  if (!pendingWheel_) return;
  const PointerMessage wheel = *pendingWheel_;
  const int delta = pendingWheelDelta_;
  pendingWheel_.reset();
  pendingWheelDelta_ = 0;
  view_->OnMouseWheel(wheel.flags, delta, wheel.x, wheel.y);
}

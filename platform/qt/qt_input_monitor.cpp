#include "platform/qt/qt_input_monitor.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
      return true;
    default:
      return false;
  }
}

}  // namespace

QtInputMonitor::QtInputMonitor() { QCoreApplication::instance()->installEventFilter(this); }

QtInputMonitor::~QtInputMonitor() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeEventFilter(this);
}

void QtInputMonitor::Poll() {
  // Qt cannot paint inside a paint: then the check answers from what is already held.
  if (!InsidePainting()) {
    ++polling_;
    QCoreApplication::processEvents();
    --polling_;
  }
  if (afterPoll_) afterPoll_();
}

void QtInputMonitor::Replay() {
  if (replaying_) return;
  replaying_ = true;
  std::vector<Captured> captured = std::move(captured_);
  captured_.clear();
  held_.clear();
  for (Captured& entry : captured) {
    if (entry.receiver) QCoreApplication::sendEvent(entry.receiver, entry.event.get());
  }
  replaying_ = false;
}

bool QtInputMonitor::eventFilter(QObject* receiver, QEvent* event) {
  if (polling_ == 0 || replaying_) return false;
  // A shortcut must not start a command meanwhile: claim the key for the widget, which gets it
  // as a plain key press later.
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  if (!IsUserInput(event->type())) return false;
  if (event->type() == QEvent::KeyPress) {
    const bool escape = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    held_.push_back({HeldInput::Kind::kKeyDown, escape ? kVirtualKeyEscape : 0});
  } else if (event->type() == QEvent::MouseButtonPress) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (button == Qt::LeftButton) held_.push_back({HeldInput::Kind::kLeftButtonDown, 0});
    if (button == Qt::RightButton) held_.push_back({HeldInput::Kind::kRightButtonDown, 0});
  } else if (event->type() == QEvent::Wheel) {
    held_.push_back({HeldInput::Kind::kWheel, 0});
  }
  captured_.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
  return true;
}

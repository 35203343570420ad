#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMouseEvent>

#include <memory>

#include "app/qt/child_frame.h"
#include "app/qt/qt_mdi_host.h"
#include "app/qt/vorn_view_widget.h"
#include "app/vorn_doc.h"
#include "logging_tool.h"
#include "platform/command_queue.h"
#include "qt_test.h"
#include "scene/pending_views.h"
#include "scene/vorn_view.h"

inline void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier, QPoint at = {100, 100}) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, modifiers);
  QCoreApplication::sendEvent(widget, &event);
}

// Backtab comes with Shift, as the keyboard makes it.
inline void SendKey(QWidget* widget, QEvent::Type type, int key = Qt::Key_Tab, bool autoRepeat = false) {
  const Qt::KeyboardModifiers modifiers = key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
  QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
  QCoreApplication::sendEvent(widget, &event);
}

// A main window whose MDI area holds the views of one document, with the new-window request
// (0xE130) handled as the main frame does: a new child frame with a new view of the document,
// shown and active.
class MdiViewsTest : public QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    window = std::make_unique<QMainWindow>();
    area = new QMdiArea;
    window->setCentralWidget(area);
    window->resize(800, 600);
    host = std::make_unique<QtMdiHost>(area);
    ProgramCommandQueue().SetDispatcher([this](int id) {
      if (id == kCommandWindowNew && creatable) NewChild();
    });
    window->show();
    QApplication::setActiveWindow(window.get());
    Settle();
  }

  void TearDown() override {
    host.reset();
    window.reset();
    QtTest::TearDown();
  }

  CChildFrame* NewChild() {
    auto* frame = new CChildFrame(&document);
    area->addSubWindow(frame);
    frame->show();
    return frame;
  }

  // One child frame, maximised and drawn.
  void OpenMaximisedView() {
    frame = NewChild();
    frame->Maximize();
    Settle();
    widget = &frame->viewWidget();
  }

  // Runs what the event loop has queued: posted commands, zero-delay calls, paints.
  static void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }

  static CChildFrame* FrameOf(CVornView* view) { return static_cast<CChildFrame*>(view->Frame()); }

  CVornDoc document;
  std::unique_ptr<QMainWindow> window;
  QMdiArea* area = nullptr;
  std::unique_ptr<QtMdiHost> host;
  // The view of OpenMaximisedView.
  CChildFrame* frame = nullptr;
  VornViewWidget* widget = nullptr;
  // Cleared, the handler makes no view, as when a window cannot be created.
  bool creatable = true;
};

#include "platform/qt/qt_input_monitor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "platform/command_queue.h"
#include "qt_test.h"
#include "services/ui_utilities.h"

namespace {

class KeyCounter : public QWidget {
 public:
  int escapes = 0;
  int presses = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape) ++escapes;
  }
  void mousePressEvent(QMouseEvent*) override { ++presses; }
};

using QtInputMonitorTest = QtTest;

void PostKey(QWidget* widget, Qt::Key key) {
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

TEST_F(QtInputMonitorTest, EscapeStopsTheJobAndReachesTheWidgetAfterwards) {
  KeyCounter widget;
  widget.show();
  PostKey(&widget, Qt::Key_Escape);
  {
    CommandQueueHold job;
    EXPECT_EQ(CheckUserAbort(), 1);
    EXPECT_EQ(CheckUserAbort(), 1);  // still held, still waiting
    QCoreApplication::processEvents();
    EXPECT_EQ(widget.escapes, 0);
  }
  QCoreApplication::processEvents();  // a turn of the main loop
  EXPECT_EQ(widget.escapes, 1);
  EXPECT_EQ(CheckUserAbort(), 0);
}

TEST_F(QtInputMonitorTest, AnotherKeyFirstHidesEscapeButAPressStops) {
  KeyCounter widget;
  widget.show();
  PostKey(&widget, Qt::Key_A);
  PostKey(&widget, Qt::Key_Escape);
  CommandQueueHold job;
  EXPECT_EQ(CheckUserAbort(), 0);
  const QPointF at(5, 5);
  QCoreApplication::postEvent(&widget, new QMouseEvent(QEvent::MouseButtonPress, at, widget.mapToGlobal(at),
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  EXPECT_EQ(CheckUserAbort(), 1);
  EXPECT_EQ(widget.presses, 0);
}

TEST_F(QtInputMonitorTest, InsideAPaintTheCheckAnswersFromWhatItHolds) {
  KeyCounter widget;
  widget.show();
  CommandQueueHold job;
  PostKey(&widget, Qt::Key_Escape);
  {
    PaintingScope painting;
    EXPECT_EQ(CheckUserAbort(), 0);  // nothing gathered yet, and no pumping while painting
  }
  EXPECT_EQ(CheckUserAbort(), 1);
  PaintingScope painting;
  EXPECT_EQ(CheckUserAbort(), 1);
}

}  // namespace

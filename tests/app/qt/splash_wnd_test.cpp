#include "app/qt/splash_wnd.h"

#include <QApplication>
#include <QTest>

#include <vector>

#include "app/qt/child_frame.h"
#include "app/qt/vorn_view_widget.h"
#include "scene/viewport.h"
#include "scene/vorn_view.h"
#include "shell_test.h"

namespace {

// Notes the events a widget receives.
class EventLog : public QObject {
 public:
  explicit EventLog(QObject* watched) { watched->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
      types.push_back(type);
    }
    return false;
  }
  std::vector<QEvent::Type> types;
};

class SplashWndTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    frame().show();
    QApplication::processEvents();
  }
  QWidget* View() { return &frame().ActiveChildFrame()->viewWidget(); }
  static void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

bool Yellowish(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) < 100; }

bool HasYellowIn(const QImage& image, QRect box) {
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (Yellowish(image.pixel(x, y))) return true;
    }
  }
  return false;
}

TEST_F(SplashWndTest, AboutShowsTheFramedPictureCentredWithBothVersionLines) {
  CSplashWnd::ShowSplashScreen(&frame(), -1);
  CSplashWnd* splash = CSplashWnd::Live();
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(splash->size(), QSize(518, 326));
  // Centred to the pixel: QRect::center rounds each odd half down.
  EXPECT_LE((splash->geometry().center() - frame().geometry().center()).manhattanLength(), 2);
  const QImage image = CSplashWnd::ComposeSplashImage();
  ASSERT_EQ(image.size(), QSize(512, 320));
  EXPECT_TRUE(HasYellowIn(image, QRect(240, 118, 140, 32)));
  EXPECT_TRUE(HasYellowIn(image, QRect(385, 123, 120, 24)));
  EXPECT_FALSE(HasYellowIn(image, QRect(0, 0, 220, 320)));  // no splash.bmp in the program folder
}

TEST_F(SplashWndTest, AKeyPressClosesItAndReachesNothing) {
  CSplashWnd::ShowSplashScreen(&frame(), -1);
  const int mode = frame().ActiveChildFrame()->view().displayMode;
  EventLog log(View());
  QTest::keyClick(View(), Qt::Key_A);  // a hotkey
  EXPECT_EQ(CSplashWnd::Live(), nullptr);
  EXPECT_TRUE(log.types.empty());
  EXPECT_EQ(frame().ActiveChildFrame()->view().displayMode, mode);
  // The next key works again.
  QTest::keyClick(View(), Qt::Key_A);
  EXPECT_NE(frame().ActiveChildFrame()->view().displayMode, mode);
}

TEST_F(SplashWndTest, AClickClosesItAndNeitherPressNorReleaseArrives) {
  for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    CSplashWnd::ShowSplashScreen(&frame(), -1);
    CSplashWnd* splash = CSplashWnd::Live();
    ASSERT_NE(splash, nullptr);
    EventLog onSplash(splash);
    EventLog onView(View());
    QTest::mousePress(View(), button, {}, QPoint(20, 20));
    EXPECT_EQ(CSplashWnd::Live(), nullptr) << button;
    QTest::mouseRelease(View(), button, {}, QPoint(20, 20));
    EXPECT_TRUE(onSplash.types.empty()) << button;
    EXPECT_TRUE(onView.types.empty()) << button;
    DeleteClosedWindows();
    // The next click reaches the view.
    QTest::mouseClick(View(), button, {}, QPoint(20, 20));
    EXPECT_EQ(onView.types.size(), 2u) << button;
  }
}

TEST_F(SplashWndTest, AboutDuringTheStartUpSplashOpensNoSecondWindowAndTheTimerClosesIt) {
  CSplashWnd::ShowSplashScreen(&frame(), 1000);
  CSplashWnd* splash = CSplashWnd::Live();
  ASSERT_NE(splash, nullptr);
  CSplashWnd::ShowSplashScreen(&frame(), -1);
  EXPECT_EQ(CSplashWnd::Live(), splash);
  splash->OnTimer();
  EXPECT_EQ(CSplashWnd::Live(), nullptr);
  DeleteClosedWindows();
}

}  // namespace

#pragma once

#include <QImage>
#include <QWidget>

class QEvent;
class QObject;

// The splash window over the main window: at start-up for a moment, from About until the user
// presses a key or a mouse button anywhere in the program. At most one is open.
class CSplashWnd : public QWidget {
 public:
  // timeoutMs 0 or less: no timer, it stays until dismissed. With a window open, nothing new
  // opens and the open one keeps its timer.
  static void ShowSplashScreen(QWidget* parent, int timeoutMs);
  // The application's first look at every event: with a window open, a key press or a press of
  // the left, right or middle button closes it and is consumed, and so are the release and any
  // double-click of that press, which would otherwise reach a widget that never saw it pressed.
  static bool PreTranslateAppMessage(QObject* target, QEvent* event);
  // The open window, or null.
  static CSplashWnd* Live();
  // The timer's work, also reachable by tests.
  void OnTimer();
  // A window that goes with its parent (the main window closing) is no longer the open one.
  ~CSplashWnd() override;

  // The picture with the version lines, as the window shows it inside its frame.
  static QImage ComposeSplashImage();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CSplashWnd(QWidget* parent, QImage image);
  static void Close();

  QImage image_;
};

#pragma once

class QWidget;

// The splash window over the main window: at start-up for a moment, from About until clicked.
class CSplashWnd {
 public:
  // timeoutMs -1: stays until the user dismisses it.
  static void ShowSplashScreen(QWidget* parent, int timeoutMs);
};

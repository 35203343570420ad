#include "app/qt/splash_wnd.h"

// The splash picture and its window come with the splash screen itself; until then there is
// nothing to show.
void CSplashWnd::ShowSplashScreen(QWidget* /*parent*/, int /*timeoutMs*/) {}

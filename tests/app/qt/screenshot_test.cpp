#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMenuBar>

#include <set>

#include "shell_test.h"

namespace {

using ScreenshotTest = ShellTest;

TEST_F(ScreenshotTest, TheStartedWindowShowsTheMenusAndADrawnView) {
  Start();
  EXPECT_EQ(frame().menuBar()->actions().size(), 10);
  // The first paint asks the view for its frame, which the event loop then draws.
  frame().MdiArea()->viewport()->grab();
  for (int pass = 0; pass < 3; ++pass) QApplication::processEvents();
  const QImage picture = frame().MdiArea()->viewport()->grab().toImage();
  ASSERT_FALSE(picture.isNull());
  std::set<QRgb> colours;
  for (int y = 0; y < picture.height(); y += 2) {
    for (int x = 0; x < picture.width(); x += 2) colours.insert(picture.pixel(x, y));
  }
  // The background with the grid and axis lines over it.
  EXPECT_GE(colours.size(), 2u);
}

}  // namespace

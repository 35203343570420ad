#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>

#include <array>
#include <cstdint>
#include <set>

#include "platform/picture.h"
#include "platform/platform_services.h"
#include "platform/ui_services.h"
#include "shell_test.h"

namespace {

using ScreenshotTest = ShellTest;

TEST_F(ScreenshotTest, TheStartedWindowShowsTheMenusAndADrawnView) {
  Start();
  EXPECT_EQ(frame().menuBar()->actions().size(), 10);
  // The first paint asks the view for its frame, which the event loop then draws.
  frame().MdiArea()->viewport()->grab();
  for (int pass = 0; pass < 3; ++pass) QApplication::processEvents();

  // The picture Save Views would save: the area of the child windows.
  Picture picture;
  ASSERT_TRUE(Platform().ui->GrabViewArea(&picture));
  EXPECT_EQ(picture.width, frame().MdiArea()->viewport()->width());
  EXPECT_EQ(picture.height, frame().MdiArea()->viewport()->height());
  std::set<std::array<std::uint8_t, 3>> colours;
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* row = picture.pixels.data() + static_cast<std::size_t>(y) * picture.rowBytes;
    for (int x = 0; x < picture.width; ++x) colours.insert({row[3 * x], row[3 * x + 1], row[3 * x + 2]});
  }
  // The background with the grid and axis lines over it.
  EXPECT_GE(colours.size(), 2u);
}

}  // namespace

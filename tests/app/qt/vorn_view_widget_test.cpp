#include "app/qt/vorn_view_widget.h"

#include <QWheelEvent>

#include <memory>
#include <vector>

#include "mdi_views_fixture.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"

namespace {

void SendWheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers) {
  const QPoint at(100, 100);
  QWheelEvent event(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                    modifiers, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(widget, &event);
}

class VornViewWidgetTest : public MdiViewsTest {
 protected:
  void SetUp() override {
    MdiViewsTest::SetUp();
    OpenMaximisedView();
    tool = std::make_unique<LoggingTool>("tool", &log);
    TheScene.secondaryTool = tool.get();
  }
  void TearDown() override {
    TheScene.secondaryTool = nullptr;
    MdiViewsTest::TearDown();
  }
  CVornView& view() { return widget->view(); }
  ToolLog Take() {
    ToolLog taken;
    taken.swap(log);
    return taken;
  }

  ToolLog log;
  std::unique_ptr<LoggingTool> tool;
};

// Windows sends down, up, double-click, up; the last up finds no button held and stops at the
// view, which still notes its flags.
TEST_F(VornViewWidgetTest, ADoubleClickArrivesAsWindowsSendsIt) {
  struct Case {
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    ToolLog expected;
    int lastFlags;
  };
  const Case cases[] = {
      {Qt::LeftButton,
       Qt::NoModifier,
       {"tool ldown flags 1 at 100,100 bits 1", "tool lup flags 0 at 100,100 bits 0",
        "tool ldbl flags 1 at 100,100 bits 0"},
       0},
      {Qt::RightButton,
       Qt::ShiftModifier,
       {"tool rdown flags 6 at 100,100 bits 2", "tool rup flags 4 at 100,100 bits 0",
        "tool rdbl flags 6 at 100,100 bits 0"},
       4},
      {Qt::LeftButton,
       Qt::ControlModifier,
       {"tool ldown flags 9 at 100,100 bits 1", "tool lup flags 8 at 100,100 bits 0",
        "tool ldbl flags 9 at 100,100 bits 0"},
       8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lastFlags);
    // The middle button is not the view's.
    SendMouse(widget, QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton);
    SendMouse(widget, QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton);
    SendMouse(widget, QEvent::MouseButtonPress, c.button, c.button, c.modifiers);
    SendMouse(widget, QEvent::MouseButtonRelease, c.button, Qt::NoButton, c.modifiers);
    SendMouse(widget, QEvent::MouseButtonDblClick, c.button, c.button, c.modifiers);
    SendMouse(widget, QEvent::MouseButtonRelease, c.button, Qt::NoButton, c.modifiers);
    EXPECT_EQ(Take(), c.expected);
    EXPECT_EQ(LastMouseFlags, c.lastFlags);
    EXPECT_EQ(view().buttonBits, 0);
  }
}

TEST_F(VornViewWidgetTest, OnlyTheNewestMoveIsHandedOnAndAButtonDropsIt) {
  SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
  for (const int x : {110, 120, 130}) {
    SendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::NoModifier, {x, 100});
  }
  Settle();
  SendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier, {140, 100});
  SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {}, {140, 100});
  Settle();
  EXPECT_EQ(Take(), (ToolLog{"tool ldown flags 1 at 100,100 bits 1", "tool move flags 1 at 130,100 bits 1",
                             "tool lup flags 0 at 140,100 bits 0"}));
}

TEST_F(VornViewWidgetTest, WheelTurnsOfOneBatchAreAppliedOnceWithTheLastFlags) {
  struct Case {
    const char* name;
    std::vector<int> deltas;
    Qt::KeyboardModifiers lastModifiers;
    float zoom;
    int viewType;
  };
  const Case cases[] = {
      {"two half notches zoom one notch", {60, 60}, Qt::NoModifier, 1.1f, kViewFront},
      {"a lone half notch is dropped", {60}, Qt::NoModifier, 1.0f, kViewFront},
      {"Ctrl on the last turn rolls", {60, 60}, Qt::ControlModifier, 1.0f, kView3D},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view().ResetCamera(kViewFront);
    view().viewType = kViewFront;
    for (std::size_t i = 0; i < c.deltas.size(); ++i) {
      SendWheel(widget, c.deltas[i], i + 1 == c.deltas.size() ? c.lastModifiers : Qt::NoModifier);
    }
    Settle();
    EXPECT_NEAR(view().zoomScale, c.zoom, 1e-6);
    EXPECT_EQ(view().viewType, c.viewType);
    EXPECT_EQ(WheelAccumulator, 0);
  }
}

constexpr ColorRef kBoxColor = 0xBBFFFF;
constexpr ColorRef kTextColor = 0xBB0000;
constexpr ColorRef kWiped = 0x123456;

int CountPixels(const RasterCanvas& image, int left, int top, int right, int bottom, ColorRef color) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += image.PixelAt(x, y) == color ? 1 : 0;
  }
  return count;
}

// The box is filled and outlined inside Rectangle(0, 0, 480, 50), wider when the font's text
// needs it: the text lies inside it with a margin on either side.
TEST_F(VornViewWidgetTest, TabDrawsTheHintBoxOncePerPress) {
  ASSERT_GT(view().windowImage.width(), 600);
  const RasterCanvas& image = view().windowImage;
  EXPECT_NE(image.PixelAt(200, 45), kBoxColor);

  SendKey(widget, QEvent::KeyPress, Qt::Key_Tab);
  EXPECT_EQ(NavigationFlags, kNavigationTabHeld);
  EXPECT_EQ(image.PixelAt(200, 45), kBoxColor);
  EXPECT_EQ(image.PixelAt(1, 1), kBoxColor);
  // The right edge: the first outline pixel from 479 on.
  int right = 479;
  while (right < image.width() && image.PixelAt(right, 25) != 0u) ++right;
  ASSERT_LT(right, image.width());
  for (const auto& [x, y] : {std::pair{0, 0}, {right, 25}, {240, 0}, {240, 49}, {0, 49}, {right, 49}}) {
    EXPECT_EQ(image.PixelAt(x, y), 0u) << x << "," << y;
  }
  EXPECT_NE(image.PixelAt(right + 1, 45), kBoxColor);
  EXPECT_NE(image.PixelAt(240, 50), kBoxColor);
  EXPECT_GT(CountPixels(image, 10, 10, right, 25, kTextColor), 100);
  EXPECT_GT(CountPixels(image, 10, 25, right, 40, kTextColor), 100);
  EXPECT_EQ(CountPixels(image, 1, 1, right, 10, kTextColor), 0);
  EXPECT_EQ(CountPixels(image, right, 0, image.width(), 50, kTextColor), 0);
  // A box wider than its least width ends a margin after the longer line.
  int lastText = 0;
  for (int x = 0; x < right; ++x) {
    if (CountPixels(image, x, 10, x + 1, 40, kTextColor) > 0) lastText = x;
  }
  EXPECT_LT(lastText, right - 1);
  if (right > 479) EXPECT_LE(right - lastText, 20);

  // Held: X11 repeats the key as release and press pairs, which draw nothing.
  view().windowImage.FillSolidRect(0, 0, image.width(), image.height(), kWiped);
  for (int i = 0; i < 3; ++i) {
    SendKey(widget, QEvent::KeyRelease, Qt::Key_Tab, true);
    SendKey(widget, QEvent::KeyPress, Qt::Key_Tab, true);
  }
  EXPECT_EQ(NavigationFlags, kNavigationTabHeld);
  SendKey(widget, QEvent::KeyRelease, Qt::Key_Tab);
  EXPECT_EQ(NavigationFlags, 0);
  EXPECT_EQ(image.PixelAt(200, 45), kWiped);

  // Shift+Tab is the same key.
  SendKey(widget, QEvent::KeyPress, Qt::Key_Backtab);
  EXPECT_EQ(NavigationFlags, kNavigationTabHeld);
  EXPECT_EQ(image.PixelAt(200, 45), kBoxColor);
  SendKey(widget, QEvent::KeyRelease, Qt::Key_Backtab);
  EXPECT_EQ(NavigationFlags, 0);
}

// Releasing Tab leaves the box; the next redraw of the pane covers it.
TEST_F(VornViewWidgetTest, TheHintBoxStaysUntilTheNextRedraw) {
  const RasterCanvas& image = view().windowImage;
  SendKey(widget, QEvent::KeyPress, Qt::Key_Tab);
  SendKey(widget, QEvent::KeyRelease, Qt::Key_Tab);
  Settle();
  EXPECT_EQ(image.PixelAt(200, 45), kBoxColor);
  SendWheel(widget, 120, Qt::NoModifier);
  Settle();
  EXPECT_NE(image.PixelAt(200, 45), kBoxColor);
}

// Painting never draws: it shows the window image as it is, and a widget whose size the image
// does not have asks for one draw from the event loop.
TEST_F(VornViewWidgetTest, PaintingPresentsTheWindowImage) {
  RasterCanvas& image = view().windowImage;
  image.FillSolidRect(0, 0, image.width(), image.height(), kWiped);
  const QImage shown = widget->grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 60), QColor(0x56, 0x34, 0x12));
  Settle();
  EXPECT_EQ(image.PixelAt(10, 60), kWiped);

  frame->Restore();
  frame->PlaceWithoutActivating(0, 0, 300, 200);
  widget->repaint();
  EXPECT_NE(image.width(), widget->width());
  Settle();
  EXPECT_EQ(QSize(image.width(), image.height()), widget->size());
  EXPECT_NE(image.PixelAt(10, 60), kWiped);
}

// Two views side by side, A active; counts the paints of A's widget.
class TwoViewsTest : public MdiViewsTest {
 protected:
  void SetUp() override {
    MdiViewsTest::SetUp();
    a = NewChild();
    b = NewChild();
    area->tileSubWindows();
    area->setActiveSubWindow(a);
    Settle();
    a->viewWidget().installEventFilter(&paints);
  }

  // Counts paint events of the widgets it watches.
  class PaintCounter : public QObject {
   public:
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++count;
      return false;
    }
    int count = 0;
  };

  static void Wipe(CVornView& view) {
    view.windowImage.FillSolidRect(0, 0, view.windowImage.width(), view.windowImage.height(), kWiped);
  }

  CChildFrame* a = nullptr;
  CChildFrame* b = nullptr;
  PaintCounter paints;
};

TEST_F(TwoViewsTest, ACommandOnOneViewRedrawsItAfterTheWheelTurnedOverTheOther) {
  ASSERT_EQ(GetActiveView(), &a->view());
  SendWheel(&b->viewWidget(), 120, Qt::NoModifier);
  Settle();
  EXPECT_NEAR(b->view().zoomScale, 1.1f, 1e-6);
  Wipe(a->view());
  Wipe(b->view());

  a->view().OnSetDisplayMode(3102);
  Settle();
  EXPECT_EQ(a->view().displayMode, kDisplayMeshWire);
  EXPECT_NE(a->view().windowImage.PixelAt(5, 5), kWiped);
  EXPECT_EQ(b->view().windowImage.PixelAt(5, 5), kWiped);
}

// The lasso is drawn into the window image at each move; the window paints it then, not at the
// release.
TEST_F(TwoViewsTest, ALassoMovePresentsTheWindow) {
  ResetToPickTool();
  QWidget* widget = &a->viewWidget();
  SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier, {20, 20});
  Settle();
  const struct {
    QPoint at;
    bool painted;
  } moves[] = {{{60, 60}, true}, {{61, 60}, false} /* closer than 2 pixels: no segment */};
  for (const auto& move : moves) {
    SCOPED_TRACE(move.at.x());
    paints.count = 0;
    SendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier, move.at);
    Settle();
    EXPECT_EQ(paints.count > 0, move.painted);
  }
  EXPECT_EQ(a->view().windowImage.PixelAt(40, 40), 0xFF0000u);
  SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier, {61, 60});
  Settle();
}

}  // namespace

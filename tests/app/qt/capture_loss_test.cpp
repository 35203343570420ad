#include <QDialog>

#include <algorithm>
#include <memory>
#include <vector>

#include "kernel/point_set_object.h"
#include "mdi_views_fixture.h"
#include "recording_gl.h"
#include "scene/active_view_renderer.h"
#include "scene/gl_table.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/transform_tools.h"

// Whatever takes the mouse or the keys away in the middle of a drag, the drag ends as a release
// would end it and the next press is a fresh one.

namespace {

enum class Interruption {
  kModalDialog,
  kWindowBlocked,
  kOtherWindowActive,
  kFocusOut,
  kFrameMinimised,
  kMoveWithoutTheButton
};

const char* Name(Interruption how) {
  switch (how) {
    case Interruption::kModalDialog:
      return "a modal dialog opens";
    case Interruption::kWindowBlocked:
      return "the window is blocked";
    case Interruption::kOtherWindowActive:
      return "another window becomes active";
    case Interruption::kFocusOut:
      return "the focus leaves";
    case Interruption::kFrameMinimised:
      return "the frame is minimised";
    case Interruption::kMoveWithoutTheButton:
      return "a move comes without the button";
  }
  return "";
}

constexpr Interruption kInterruptions[] = {
    Interruption::kModalDialog, Interruption::kWindowBlocked,  Interruption::kOtherWindowActive,
    Interruption::kFocusOut,    Interruption::kFrameMinimised, Interruption::kMoveWithoutTheButton};

// A maximised view of a document with one selected point at (2, 1, 0).
class CaptureLossTest : public MdiViewsTest {
 protected:
  void SetUp() override {
    MdiViewsTest::SetUp();
    OpenMaximisedView();
    auto object = std::make_unique<CPointSetObject>(1, std::vector<Vector3>{{2, 1, 0}});
    point = AddObject(object, 0);
    point->ObjectState = kStateSelected;
  }

  CVornView& view() { return widget->view(); }

  // Only the interruption under test may end the drag: the view has the focus only when the
  // focus is what leaves.
  void Prepare(Interruption how) {
    if (how == Interruption::kFocusOut) {
      widget->setFocus();
    } else {
      widget->clearFocus();
    }
    Settle();
  }

  void Interrupt(Interruption how) {
    switch (how) {
      case Interruption::kModalDialog: {
        QDialog dialog(window.get());
        dialog.setModal(true);
        dialog.show();
        Settle();
        dialog.hide();
        QApplication::setActiveWindow(window.get());
        break;
      }
      case Interruption::kWindowBlocked: {
        // What a modal window sends the windows it blocks, before any change of activation.
        QEvent blocked(QEvent::WindowBlocked);
        QCoreApplication::sendEvent(window.get(), &blocked);
        break;
      }
      case Interruption::kOtherWindowActive: {
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        Settle();
        QApplication::setActiveWindow(window.get());
        break;
      }
      case Interruption::kFocusOut:
        widget->clearFocus();
        break;
      case Interruption::kFrameMinimised:
        frame->showMinimized();
        Settle();
        frame->Maximize();
        break;
      case Interruption::kMoveWithoutTheButton:
        SendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier, {100, 160});
        break;
    }
    Settle();
  }

  CPointSetObject* point = nullptr;
};

// The drag runs in Rendering mode, drawn as Fast Shading; its end draws the full rendering.
TEST_F(CaptureLossTest, ANavigationDragEndsAndTheNextPressReachesTheTool) {
  RecordingGl gl;
  InstallGlCalls(&gl);
  std::vector<int> rendered;
  RegisterActiveViewRenderer([&](int which) { rendered.push_back(which); });
  ToolLog log;
  LoggingTool tool("tool", &log);
  TheScene.secondaryTool = &tool;
  view().displayMode = kDisplayRendering;
  for (const Interruption how : kInterruptions) {
    SCOPED_TRACE(Name(how));
    Prepare(how);
    SendKey(widget, QEvent::KeyPress);
    SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, {100, 100});
    SendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::NoModifier, {100, 150});
    Settle();
    SendKey(widget, QEvent::KeyRelease);
    ASSERT_EQ(NavigationFlags, kNavigationLeftDrag);
    ASSERT_GT(gl.Count("BeginFrame"), 0);
    rendered.clear();

    Interrupt(how);
    EXPECT_EQ(NavigationFlags, 0);
    EXPECT_EQ(view().buttonBits, 0);
    EXPECT_EQ(CaptureView(), nullptr);
    EXPECT_EQ(rendered, std::vector<int>{1});

    log.clear();
    SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, {5, 5});
    SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::NoModifier, {5, 5});
    EXPECT_EQ(log, (ToolLog{"tool ldown flags 1 at 5,5 bits 1", "tool lup flags 0 at 5,5 bits 0"}));
  }
  TheScene.secondaryTool = nullptr;
}

TEST_F(CaptureLossTest, ATransformDragFinishesAsOneUndoStep) {
  for (const Interruption how : kInterruptions) {
    SCOPED_TRACE(Name(how));
    Prepare(how);
    StartTransformTool(1, 0);
    document.Clear();
    const float startX = point->points[0].x;
    SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, {100, 100});
    SendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::NoModifier, {160, 100});
    Settle();
    ASSERT_EQ(DragRedrawFlag, 1);
    ASSERT_GT(point->points[0].x, startX);

    Interrupt(how);
    EXPECT_EQ(DragRedrawFlag, 0);
    EXPECT_EQ(view().buttonBits, 0);
    EXPECT_EQ(std::ranges::count_if(document.ring, [](const auto& step) { return !step.empty(); }), 1);
    EXPECT_GT(point->points[0].x, startX);
  }
}

// Tab seen going down but never up does not make later presses navigate; Tab pressed during a
// tool's drag lets the drag's release reach the tool.
TEST_F(CaptureLossTest, TabNeverSticks) {
  Prepare(Interruption::kFocusOut);
  SendKey(widget, QEvent::KeyPress);
  ASSERT_EQ(NavigationFlags, kNavigationTabHeld);
  widget->clearFocus();
  EXPECT_EQ(NavigationFlags, 0);

  ToolLog log;
  LoggingTool tool("tool", &log);
  TheScene.secondaryTool = &tool;
  SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, {5, 5});
  SendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::NoModifier, {50, 60});
  Settle();
  SendKey(widget, QEvent::KeyPress);
  SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::NoModifier, {50, 60});
  SendKey(widget, QEvent::KeyRelease);
  EXPECT_EQ(log, (ToolLog{"tool ldown flags 1 at 5,5 bits 1", "tool move flags 1 at 50,60 bits 1",
                          "tool lup flags 0 at 50,60 bits 0"}));
  EXPECT_EQ(view().buttonBits, 0);
  TheScene.secondaryTool = nullptr;
}

}  // namespace

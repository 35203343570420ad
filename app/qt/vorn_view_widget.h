#pragma once

#include <QSinglePointEvent>
#include <QSize>
#include <QWidget>

#include <memory>
#include <optional>

#include "scene/vorn_view.h"

class CVornDoc;

// The Qt window of a view: owns the CVornView core, turns Qt's mouse, wheel, key and focus events
// into the core's messages with the Windows key-state flags, and shows the core's window image.
// Rendering never runs inside a paint event, which only presents.
class VornViewWidget : public QWidget, public ViewWindow {
 public:
  // The view is one of the document's from construction until destruction.
  explicit VornViewWidget(CVornDoc* document, QWidget* parent = nullptr);
  ~VornViewWidget() override;

  CVornView& view() { return *view_; }
  // The child frame around the widget; not owned, null when there is none.
  void SetFrame(ViewFrame* frame) { frame_ = frame; }

  // ViewWindow. The widget's own coalescing answers the queue questions, so nothing waits.
  ViewFrame* Frame() override { return frame_; }
  bool MouseMessageWaits() override { return false; }
  bool WheelMessageWaits() override { return false; }
  void DrawHintBox(DeviceContext& windowImage) override;
  void Present() override { update(); }
  void PresentNow() override { repaint(); }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  struct PointerMessage {
    int flags = 0;
    int x = 0;
    int y = 0;
  };

  // The mouse went elsewhere while the pane holds buttons: the view releases them.
  void EndHeldButtons();
  // The same when the event lacks a button the pane holds: its release went elsewhere.
  void EndHeldButtonsMissingFrom(Qt::MouseButtons buttons);
  using ButtonHandler = void (CVornView::*)(int flags, int x, int y);
  void ButtonMessage(const QMouseEvent* event, ButtonHandler left, ButtonHandler right);
  static PointerMessage MessageOf(const QSinglePointEvent& event);
  void DeliverMove();
  void DeliverWheel();

  CVornDoc* document_;
  std::unique_ptr<CVornView> view_;
  ViewFrame* frame_ = nullptr;
  std::optional<PointerMessage> pendingMove_;
  // Wheel deltas summed until the queued call applies them, with the last turn's flags and point.
  std::optional<PointerMessage> pendingWheel_;
  int pendingWheelDelta_ = 0;
  // The size a draw was last asked for from a paint, so a frame that cannot follow is not asked
  // again at every present.
  QSize drawAskedFor_;
};

#pragma once

#include <QMdiSubWindow>

#include <functional>

#include "scene/view_frame.h"

class CVornDoc;
class CVornView;
class VornViewWidget;

// The MDI child window that holds one view and is named after the view's direction.
class CChildFrame : public QMdiSubWindow, public ViewFrame {
 public:
  // Makes the frame with a new view of the document; the view takes the next pending type.
  explicit CChildFrame(CVornDoc* document, QWidget* parent = nullptr);

  VornViewWidget& viewWidget() { return *viewWidget_; }
  CVornView& view();
  // The main frame's title update, which runs first at every title update of this frame.
  void SetMainFrameTitleUpdate(std::function<void()> update) { mainFrameTitleUpdate_ = std::move(update); }

  // ViewFrame.
  bool IsMinimized() const override { return isMinimized(); }
  bool IsMaximized() const override { return isMaximized(); }
  void Restore() override { showNormal(); }
  void Maximize() override { showMaximized(); }
  void PlaceWithoutActivating(int x, int y, int width, int height) override;
  void Activate() override;
  void UpdateTitle() override { OnUpdateFrameTitle(); }

  // The main frame's title, then this frame's: the name of the view's type.
  void OnUpdateFrameTitle();

 private:
  VornViewWidget* viewWidget_;
  std::function<void()> mainFrameTitleUpdate_;
};

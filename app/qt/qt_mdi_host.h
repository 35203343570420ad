#pragma once

#include <QMdiArea>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <vector>

#include "scene/view_frame.h"

class QMdiSubWindow;

// The MDI client over a QMdiArea, installed as the program's for its lifetime: the tilings'
// client size, the active child frame, activation of the view in a child that becomes active,
// and the last tiling laid out again when the client changes size.
class QtMdiHost : public QObject, public MdiHost {
 public:
  explicit QtMdiHost(QMdiArea* area);
  ~QtMdiHost() override;
  QtMdiHost(const QtMdiHost&) = delete;
  QtMdiHost& operator=(const QtMdiHost&) = delete;

  int ClientWidth() const override;
  int ClientHeight() const override;
  ViewFrame* ActiveFrame() const override;
  void Tiled(const Tiling& tiling, std::span<ViewFrame* const> slotFrames) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TiledFrame {
    QPointer<QMdiSubWindow> window;
    int slot;
    QRect placed;
  };
  // Lays the tiled frames out for the client's size, unless one was closed, moved or resized
  // since: the user's own arrangement is left alone, and the tiling forgotten.
  void Retile();

  // A client already gone has no size and no active child.
  QPointer<QMdiArea> area_;
  QMetaObject::Connection activation_;
  const Tiling* tiling_ = nullptr;
  std::vector<TiledFrame> tiled_;
};

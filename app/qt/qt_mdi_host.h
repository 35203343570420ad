#pragma once

#include <QMdiArea>
#include <QMetaObject>
#include <QPointer>

#include "scene/view_frame.h"

// The MDI client over a QMdiArea, installed as the program's for its lifetime: the tilings'
// client size, the active child frame, and activation of the view in a child that becomes
// active.
class QtMdiHost : public MdiHost {
 public:
  explicit QtMdiHost(QMdiArea* area);
  ~QtMdiHost();
  QtMdiHost(const QtMdiHost&) = delete;
  QtMdiHost& operator=(const QtMdiHost&) = delete;

  int ClientWidth() const override;
  int ClientHeight() const override;
  ViewFrame* ActiveFrame() const override;

 private:
  // A client already gone has no size and no active child.
  QPointer<QMdiArea> area_;
  QMetaObject::Connection activation_;
};

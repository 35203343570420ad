#pragma once

#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

// The active pane of a document of one view, which counts its full redraws.
class CountingViewport : public CViewport, public CUndoHistory {
 public:
  CountingViewport() {
    documentHistory = this;
    SetSize(201, 201);
    SetActiveView(this);
  }
  ~CountingViewport() override {
    if (GetActiveView() == this) SetActiveView(nullptr);
  }
  void InvalidateViewportRect() override { ++redraws; }
  CViewport* NextView() override {
    walked_ = !walked_;
    return walked_ ? this : nullptr;
  }

  int redraws = 0;

 private:
  bool walked_ = false;
};

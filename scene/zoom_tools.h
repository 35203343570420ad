#pragma once

#include <cstdint>

#include "scene/tool.h"

inline constexpr int kZoomBoxCommand = 3412;

// Drags a box of the viewport's shape around the press point and zooms to it on release. A
// static tool, installed as the secondary tool by the zoom box command, which keeps the
// secondary tool it replaces; the release puts that one back when it still exists.
class CZoomBoxTool : public CTool {
 public:
  CZoomBoxTool() : CTool(0) {}

  int GetCursorId() const override { return kZoomBoxCommand; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;

  std::int32_t cx = 0, cy = 0, hx = 0, hy = 0;
  // Height over width of the pane; 0 for a pane without area, where no box starts.
  float aspect = 0.0f;

  // The secondary tool to put back; null for none.
  void KeepTool(CTool* tool);
  // Null once the kept tool has been destroyed.
  CTool* KeptTool() const;

 private:
  CTool* keptTool_ = nullptr;
  LifeWatch keptLife_;
};

// Zoom All: fits the default tool's preview and every shown object on a visible layer, axis
// lines aside, into the active viewport.
void ZoomAll();

#pragma once

#include <cstdint>

#include "kernel/matrix4.h"

class CUndoHistory;

// What a pane shows: 0 free 3-D view, the others fixed orientations.
enum ViewType : std::int32_t {
  kView3D = 0,
  kViewFront = 1,   // screen x = +x, y = +z
  kViewRight = 2,   // +y, +z
  kViewTop = 3,     // +x, +y
  kViewBack = 4,    // -x, +z
  kViewLeft = 5,    // -y, +z
  kViewBottom = 6,  // -x, +y
};

enum DisplayMode : std::int32_t {
  kDisplayNormalWire = 0,
  kDisplayQuickWire = 10,
  kDisplayMeshWire = 20,
  kDisplayFastShading = 100,
  kDisplayShadingInColor = 300,
  kDisplayRendering = 400,
};

// The camera and screen area of one view pane. The view window derives from it and supplies the
// window-dependent operations; a bare viewport has no window.
class CViewport {
 public:
  CViewport() = default;
  // A destroyed pane is never left active.
  virtual ~CViewport();
  CViewport(const CViewport&) = delete;
  CViewport& operator=(const CViewport&) = delete;

  // The virtual operations keep this order in every class.
  virtual void SetSize(int paneWidth, int paneHeight);
  virtual void SaveWindowImage() {}
  virtual void RestoreWindowImage() {}
  // Unbinds the pane from its document.
  virtual void BindDocument() { documentHistory = nullptr; }
  virtual void InvalidateViewportRect() {}
  virtual int IsVisible() { return 1; }

  // Model to view space, row vectors; the rotation stays zero until the view orients it.
  Matrix4 viewMatrix;
  std::int32_t x = 0, y = 0, width = 0, height = 0;
  std::int32_t dirtyLeft = 0, dirtyTop = 0, dirtyRight = 0, dirtyBottom = 0;
  // 1 while the dirty rectangle is in force; 0 when the whole pane is meant.
  std::int32_t dirtyFlag = 0;
  // The view sets extent, zoom, grid unit and view type; these are the values it gives a new
  // pane, so a bare viewport is consistent too.
  float viewExtent = 25.0f;
  float zoomScale = 1.0f;
  float gridUnit = 0.5f;
  CUndoHistory* documentHistory = nullptr;
  std::int32_t viewType = kView3D;
  // 0: tool feedback on screen or nothing pending; 1: clean image restored; negative: the next
  // refresh saves the image anew.
  std::int32_t feedbackState = 0;
  // 1 left, 2 right button held as this pane saw them.
  std::int32_t buttonBits = 0;
  std::int32_t fullRenderFlag = 0;
  std::int32_t displayMode = kDisplayNormalWire;
  float spareFactor = 10.0f;
};

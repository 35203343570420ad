#pragma once

#include <cstdint>

#include "kernel/matrix4.h"
#include "kernel/vector3.h"
#include "scene/life_token.h"

class CanvasView;
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
  // A destroyed pane is never left active, nor bound to a tool.
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
  // The window image now holds a new frame or new tool feedback; a window shows it.
  virtual void WindowImageChanged() {}
  // The drawing view whose canvas is the pane's window image; a bare viewport has none and
  // draws into whatever the drawing view is.
  virtual CanvasView* WindowImageView() { return nullptr; }
  // Shows the window image at once, for a sweep of drawings that must each be seen.
  virtual void PresentWindowImageNow() {}

  // Tells work kept for later whether the pane still exists.
  const LifeToken& Life() const { return life_; }

  // Makes this pane's projection current for drawing: the drawing context's viewing matrix
  // shows +-extent / zoom model units vertically around the view centre, and the model matrix is
  // the view matrix. A dirty rectangle in force is clipped to the pane.
  void ApplyProjection();
  // Grows the rectangle the next redraw covers; see the definition for the rules.
  void AddDirtyRect(int left, int top, int right, int bottom);
  // Draws or erases the tools' feedback over the window (modes -2, 0, 1, 2); returns the mode,
  // or 0 for a pane that is not visible.
  int Refresh(int mode);
  void MakeActive();

  // Camera changes; none of them redraws.
  // Multiplies the zoom, kept between 0.001 and 1000, and recomputes the grid unit.
  void Zoom(float factor);
  // Moves the view by a distance on screen, whatever the zoom.
  void Translate(float dx, float dy, float dz);
  // Turns the view about a screen axis: 0 horizontal, 1 vertical, 2 depth (roll).
  void RotateAboutAxis(int axis, double degrees);
  void Rotate(float radians, int axis);
  // Screen axis k shows model axis a_k with sign s_k; the translation is cleared.
  void SetAxes(int axisX, int axisY, int axisZ, int signX, int signY, int signZ);

  // Mouse messages with their key-state flags, passed to the current tool.
  void OnLButtonDblClk(int flags, int pointX, int pointY);
  void OnLButtonDown(int flags, int pointX, int pointY);
  void OnLButtonUp(int flags, int pointX, int pointY);
  void OnRButtonDblClk(int flags, int pointX, int pointY);
  void OnRButtonDown(int flags, int pointX, int pointY);
  void OnRButtonUp(int flags, int pointX, int pointY);
  void OnMouseMove(int flags, int pointX, int pointY);

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

 private:
  LifeToken life_;
};

// Redraws one pane in full: it is active for the frame, and its feedback is drawn anew. A pane
// with a window draws into its own window image, whatever the drawing view is, and the drawing
// view is put back after.
void RedrawView(CViewport* viewport);
// Brings the box around the screen point to the pane's centre and zooms so that its width fills
// the pane; used by the zoom-box tool.
void ZoomToScreenBox(CViewport* viewport, int screenX, int screenY, int halfWidth, int halfHeight);
// Centres the view on the box and zooms so that it fits; an empty box gives zoom 1.
void ZoomToExtents(CViewport* viewport, Vector3 min, Vector3 max);
// The grid unit for a zoom: 1, 5 or 10 times a power of ten, between 0.001 and 10.
float NiceGridStep(float zoom);

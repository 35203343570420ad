#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/raster_canvas.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/viewport.h"

class CUndoHistory;
class CVornView;
class ViewFrame;

// The window that hosts a view. A view without one still works: it draws into its window image
// and nobody presents it.
class ViewWindow {
 public:
  // The child frame around the view; null when there is none.
  virtual ViewFrame* Frame() = 0;
  // Whether another mouse message (move to wheel) waits for the main window, so that this move
  // can be dropped for the newer one. A host that itself keeps only the newest move and sums
  // the wheel turns that arrive together answers false to both.
  virtual bool MouseMessageWaits() = 0;
  // Whether another wheel message waits, so that its delta can be added before zooming.
  virtual bool WheelMessageWaits() = 0;
  // Paints the navigation hint box (strings 20001 and 20002) over the window image.
  virtual void DrawHintBox(DeviceContext& windowImage) = 0;
  // Asks for the window image to be shown; requests made together show once.
  virtual void Present() = 0;
  // Shows the window image before returning, for a sweep of drawings that must each be seen.
  // It paints only this window: no event runs meanwhile.
  virtual void PresentNow() = 0;

 protected:
  ~ViewWindow() = default;
};

// Virtual key of Tab.
inline constexpr int kKeyTab = 9;
// Size types of a size message.
inline constexpr int kSizeRestored = 0;
inline constexpr int kSizeMinimized = 1;
inline constexpr int kSizeMaximized = 2;

// Bits of NavigationFlags.
inline constexpr int kNavigationLeftDrag = 1;
inline constexpr int kNavigationRightDrag = 2;
inline constexpr int kNavigationTabHeld = 8;

// The navigation state shared by all views; only the view with the capture uses it in a drag.
// 8 while Tab is held, 1 and 2 from a button press in navigation mode to that button's release.
extern int NavigationFlags;
// The pointer at the last step of a navigation drag.
extern int NavigationLastX;
extern int NavigationLastY;
// The key-state flags of the last mouse message.
extern int LastMouseFlags;
// Wheel deltas not yet applied.
extern int WheelAccumulator;
// Set while a tiling command has been posted again to find the views it asked for.
extern int TilingPending;
// The view whose type and display mode the next new view copies; null when none.
extern CVornView* NewWindowSourceView;

// Which view holds the mouse capture; a record, as Qt's implicit grab delivers the release of a
// press to the pressed widget anyway.
void SetCapture(CVornView* view);
void ReleaseCapture();
CVornView* CaptureView();

// The MDI view window's core: paints through the viewport, keeps the saved image for tool
// feedback, and turns mouse and keys into navigation or into tool input.
class CVornView : public CViewport, public CanvasView {
 public:
  // Takes its type from the pending new-view requests (Front when none) and copies the display
  // mode and type of the view that asked for it.
  explicit CVornView(CUndoHistory* document, ViewWindow* window = nullptr);
  ~CVornView() override;

  void SetWindow(ViewWindow* window) { window_ = window; }
  ViewWindow* Window() const { return window_; }
  CUndoHistory* Document() const { return document_; }
  // The child frame; null without a window or frame.
  ViewFrame* Frame() const;

  // Viewport callbacks.
  void SaveWindowImage() override;
  void RestoreWindowImage() override;
  void BindDocument() override;
  void InvalidateViewportRect() override;
  int IsVisible() override;
  void WindowImageChanged() override;
  CanvasView* WindowImageView() override { return this; }
  void PresentWindowImageNow() override {
    if (window_ != nullptr) window_->PresentNow();
  }

  // CanvasView.
  DeviceContext& DrawingCanvas() override { return windowImage; }
  DepthRaster* ViewDepthRaster() override { return depthRaster.get(); }
  void CanvasChanged() override { WindowImageChanged(); }

  // Window messages. Mouse flags are the Windows key-state bits (kMouseLeftButton etc.).
  void OnDraw();
  void OnSize(int sizeType, int cx, int cy);
  void OnActivateView(bool activate);
  void OnKeyDown(int key);
  void OnKeyUp(int key);
  void OnLButtonDown(int flags, int x, int y);
  void OnLButtonUp(int flags, int x, int y);
  void OnLButtonDblClk(int flags, int x, int y);
  void OnRButtonDown(int flags, int x, int y);
  void OnRButtonUp(int flags, int x, int y);
  void OnRButtonDblClk(int flags, int x, int y);
  void OnMouseMove(int flags, int x, int y);
  void OnMouseWheel(int flags, int delta, int x, int y);
  // The capture went elsewhere while buttons may be held: each held button is released here.
  void OnCaptureLost();
  // The keyboard focus left: Tab can no longer be seen going up.
  void OnFocusLost();

  // View commands.
  void OnSetDisplayMode(int id);  // 3100-3105
  void OnViewDirection(int id);   // 3200-3206
  void OnTileFrontRightTop3D();   // 3300
  void OnTileBackLeftBottom3D();  // 3301
  void OnTileFrontRight();        // 3310
  void OnTileFrontTop();          // 3311
  void OnPan(int id);             // 3400-3403
  void OnZoomIn();                // 3410
  void OnZoomOut();               // 3411
  void OnZoomBox();               // 3412
  void OnZoomAll();               // 3413
  void OnZoomOneToOne();          // 3414
  void OnFlipRoll(int id);        // 3420-3423, 3430, 3431
  void OnResetView();             // 3440
  void OnNewWindow();             // 3441
  void OnPick();                  // 3600
  void OnEditUndo();              // 57643
  void OnEditRedo();              // 57644

  // Gives the view another type; with maximise the child frame is maximised (or the view redrawn
  // when it already is), and turning to 3D brings back the saved 3-D camera.
  void SetViewType(int type, int maximise);
  // The type's axes, no translation, zoom 1; nothing is redrawn.
  void ResetCamera(int type);

  // The check mark of a command of the view: 3002, 3100-3105, 3200-3206 and 5010; empty for any
  // other id.
  std::optional<bool> ViewCommandCheck(int id) const;

  // What the window shows; the renderer and the tools draw into it.
  RasterCanvas windowImage;
  // The window without tool feedback; null until the first save.
  std::unique_ptr<RasterCanvas> savedWindowImage;
  std::unique_ptr<DepthRaster> depthRaster;
  float fitExtent = 25.0f;
  float panStep = 0.1f;
  float zoomStep = 1.01f;
  float rollStep = 0.00872665f;

 private:
  // Every mouse message leaves its flags and position.
  void NoteMouse(int flags, int x, int y);
  void ButtonDown(int bit, int flags, int x, int y);
  void ButtonUp(int bit, int flags, int x, int y);
  void ReleaseButton(int bit, int flags, int x, int y);
  void NavigationStep(int flags, int x, int y);
  // The camera part of SetViewType, with the title following; restore3D brings the saved 3-D
  // camera back when the view turns to 3D. Returns 1 when the type changed.
  int ChangeType(int type, int restore3D);
  // A fixed view turns into a free 3-D view, keeping its orientation.
  void MakeFree3D();
  // Redraws when the child frame is maximised, else maximises it.
  void RedrawOrMaximize();
  void Tile(int id);
  void ApplySize(int cx, int cy);
  // Work for later that runs only when the view still exists then.
  std::function<void()> WhileAlive(std::function<void(CVornView&)> work);

  CUndoHistory* document_ = nullptr;
  ViewWindow* window_ = nullptr;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  // The pointer of the last mouse message, where a lost capture releases the held buttons.
  int lastPointX_ = 0;
  int lastPointY_ = 0;
};

void ResetViewWindowState();

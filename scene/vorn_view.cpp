#include "scene/vorn_view.h"

#include "scene/pending_views.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/view_frame.h"
#include "scene/view_type_change.h"

CVornView* NewWindowSourceView = nullptr;

CVornView::CVornView(CUndoHistory* document, ViewWindow* window)
    : document_(document), window_(window) {
  viewExtent = 25.0f;
  displayMode = kDisplayNormalWire;
  viewType = PopPendingViewType();
  ResetCamera(viewType);
  // A view made for a tiling slot carries the source's type until the tiling, run again, gives
  // it the slot's; the axes stay those of the popped type meanwhile.
  if (NewWindowSourceView != nullptr) {
    displayMode = NewWindowSourceView->displayMode;
    viewType = NewWindowSourceView->viewType;
    if (PendingViewTop < 0) NewWindowSourceView = nullptr;
  }
}

// When this view is the drawing view, drawing that follows goes to the active pane's window,
// or nowhere.
CVornView::~CVornView() {
  if (GetDrawingView() == this) {
    CViewport* active = GetActiveView();
    SetDrawingView(active != nullptr && active != this ? active->WindowImageView() : nullptr);
  }
  FreeDepthRaster(&depthRaster);
  // A request posted from this view may still be waiting: the view it creates copies nothing
  // rather than read a closed view. The pending types stay for it.
  if (NewWindowSourceView == this) NewWindowSourceView = nullptr;
  if (CaptureView() == this) ReleaseCapture();
}

ViewFrame* CVornView::Frame() const { return window_ != nullptr ? window_->Frame() : nullptr; }

// The saved image is copied like the window: only the dirty rectangle while one is in force.
void CVornView::SaveWindowImage() {
  if (savedWindowImage == nullptr || savedWindowImage->width() != width ||
      savedWindowImage->height() != height) {
    savedWindowImage = std::make_unique<RasterCanvas>(width, height);
  }
  if (dirtyFlag != 0) {
    savedWindowImage->CopyRect(windowImage, dirtyLeft, dirtyTop, dirtyRight, dirtyBottom);
  } else {
    savedWindowImage->CopyRect(windowImage, 0, 0, width, height);
  }
}

void CVornView::RestoreWindowImage() {
  if (savedWindowImage == nullptr) return;
  if (dirtyFlag != 0) {
    windowImage.CopyRect(*savedWindowImage, dirtyLeft, dirtyTop, dirtyRight, dirtyBottom);
  } else {
    windowImage.CopyRect(*savedWindowImage, 0, 0, width, height);
  }
}

// Drawing went into the window image, not onto the screen: the window shows it when it next
// paints.
void CVornView::WindowImageChanged() {
  if (window_ != nullptr) window_->Present();
}

void CVornView::BindDocument() { documentHistory = document_; }

// Drawing happens here and now, as an immediate window update would; painting only presents
// the window image.
void CVornView::InvalidateViewportRect() { OnDraw(); }

int CVornView::IsVisible() {
  const MdiHost* host = GetMdiHost();
  if (host == nullptr) return 1;
  const ViewFrame* active = host->ActiveFrame();
  return active != nullptr && active != Frame() && active->IsMaximized() ? 0 : 1;
}

// The pane follows the window's client size; a draw asked while a frame is being drawn runs
// after it, so the window image is never replaced under a running frame.
void CVornView::OnDraw() {
  if (ViewFrameRunning()) {
    RunAfterViewFrame(WhileAlive([](CVornView& view) { view.OnDraw(); }));
    return;
  }
  BindDocument();
  ResizeDepthRaster(&depthRaster, clientWidth_, clientHeight_, Life());
  SetSize(clientWidth_, clientHeight_);
  if (windowImage.width() != clientWidth_ || windowImage.height() != clientHeight_) {
    windowImage = RasterCanvas(clientWidth_, clientHeight_);
  }
  AddDirtyRect(0, 0, clientWidth_, clientHeight_);
  // The redraw targets this view's window and puts the drawing view back after; with none
  // before, this view stays the drawing view.
  if (GetDrawingView() == nullptr) SetDrawingView(this);
  RedrawView(this);
}

// A minimised frame leaves the pane as it was. A size that arrives while a frame is being
// drawn (the abort check lets events through) is applied after the frame.
void CVornView::OnSize(int sizeType, int cx, int cy) {
  if (sizeType != kSizeRestored && sizeType != kSizeMaximized) return;
  if (ViewFrameRunning()) {
    RunAfterViewFrame(WhileAlive([cx, cy](CVornView& view) { view.ApplySize(cx, cy); }));
    return;
  }
  ApplySize(cx, cy);
}

void CVornView::ApplySize(int cx, int cy) {
  clientWidth_ = cx;
  clientHeight_ = cy;
  if (cx == width && cy == height) return;
  SetSize(cx, cy);
  ResizeDepthRaster(&depthRaster, cx, cy, Life());
}

void CVornView::OnActivateView(bool activate) {
  if (!activate) return;
  BindDocument();
  SetDrawingView(this);
  MakeActive();
}

std::function<void()> CVornView::WhileAlive(std::function<void(CVornView&)> work) {
  return Life().Guard([this, work = std::move(work)] { work(*this); });
}

void CVornView::MakeFree3D() {
  viewType = kView3D;
  if (ViewFrame* frame = Frame()) frame->UpdateTitle();
}

void CVornView::RedrawOrMaximize() {
  ViewFrame* frame = Frame();
  if (frame == nullptr || frame->IsMaximized()) {
    RedrawView(this);
  } else {
    frame->Maximize();
  }
}

void ResetViewWindowState() {
  NavigationFlags = 0;
  NavigationLastX = 0;
  NavigationLastY = 0;
  LastMouseFlags = 0;
  WheelAccumulator = 0;
  TilingPending = 0;
  NewWindowSourceView = nullptr;
  ReleaseCapture();
  SetMdiHost(nullptr);
}

#include "scene/render_view.h"

#include <deque>
#include <utility>

#include "kernel/frame_point_budget.h"
#include "scene/active_view_renderer.h"
#include "scene/draw_color_index.h"
#include "scene/drawing_context.h"
#include "scene/gl_shading.h"
#include "scene/gl_table.h"
#include "scene/gl_view_frame.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/view_background.h"
#include "scene/view_grid.h"
#include "scene/viewport.h"
#include "services/app_settings.h"
#include "services/layer_table.h"
#include "services/ui_utilities.h"

int DragRedrawFlag = 0;
int DepthReadBackFlag = 0;
int GlFrameFlag = 0;
CGeomObject* ToolPreviewList = nullptr;
Matrix4 ToolPreviewMatrix = kIdentityMatrix;

namespace {

bool frameRunning = false;
std::deque<std::function<void()>> afterFrame;

// Marks a frame in progress and runs what waited for it when the frame ends.
class FrameScope {
 public:
  FrameScope() { frameRunning = true; }
  ~FrameScope() {
    frameRunning = false;
    while (!afterFrame.empty()) {
      std::function<void()> work = std::move(afterFrame.front());
      afterFrame.pop_front();
      work();
    }
  }
  FrameScope(const FrameScope&) = delete;
  FrameScope& operator=(const FrameScope&) = delete;
};

// Over a shaded or rendered picture only curves and axis lines are drawn, as wire frames.
// Quick wire frame skips the in-view test.
void DrawSceneObjects(int mode) {
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, -1, 0)) {
    if (!IsShownOrSelected(*object) || IsLayerVisible(object->layer) == 0) continue;
    int drawMode = mode;
    if (mode >= kDisplayFastShading) {
      const int kind = object->GetKind();
      if (kind != kKindCurve && kind != kKindAxisLine) continue;
      drawMode = kDisplayMeshWire;
    }
    if (mode != kDisplayQuickWire && IsObjectInView(object) == 0) continue;
    SetDrawColorIndex(object->ObjectState, object->layer);
    object->Draw(drawMode);
  }
}

void DrawToolPreview(int mode) {
  const Matrix4 saved = GetModelMatrix();
  MultiplyModelMatrix(ToolPreviewMatrix);
  SetDrawColor(ColorPick);
  for (CGeomObject* object = ToolPreviewList; object != nullptr; object = object->next) {
    object->Draw(mode);
  }
  SetModelMatrix(saved);
}

// The wire-frame background: the dirty rectangle with its right and bottom edges, or the pane.
void FillBackground(const CViewport& viewport) {
  DeviceContext& canvas = GetDrawingView()->DrawingCanvas();
  if (viewport.dirtyFlag != 0) {
    canvas.FillSolidRect(viewport.dirtyLeft, viewport.dirtyTop, viewport.dirtyRight + 1,
                         viewport.dirtyBottom + 1, ColorBack);
  } else {
    canvas.FillSolidRect(viewport.x, viewport.y, viewport.x + viewport.width,
                         viewport.y + viewport.height, ColorBack);
  }
}

// The display mode this frame is drawn in. The expensive modes fall back to Fast Shading while
// no renderer is registered, during drags and while input waits; DragRedrawFlag is tested first
// so that drags never pump events. The abort check pumps the event loop: its input monitor holds
// back every user action (keys, buttons, moves, wheel, close requests) and replays it after the
// frame, lets paints through (a paint only presents the window image, so the renderer's rows
// appear as they come) and never drains the command queue. RenderView never runs inside a
// paint, so the check always pumps.
int FrameMode(const CViewport& viewport) {
  const int mode = viewport.displayMode;
  if (mode <= kDisplayFastShading) return mode;
  if (!HasActiveViewRenderer() || DragRedrawFlag != 0 || CheckUserAbort() != 0) {
    return kDisplayFastShading;
  }
  return mode;
}

}  // namespace

// Wire frames draw straight into the view's window image, which is itself off screen and shown
// only after the frame; so no back buffer is needed to avoid flicker.
void RenderView() {
  CViewport* viewport = GetActiveView();
  if (viewport == nullptr || GetDrawingView() == nullptr || frameRunning) return;
  if (viewport->width <= 0 || viewport->height <= 0) return;
  if (viewport->dirtyFlag != 0 && (viewport->dirtyLeft >= viewport->dirtyRight ||
                                   viewport->dirtyTop >= viewport->dirtyBottom)) {
    return;
  }
  FrameScope frame;
  const FramePointBudget budget;
  const int mode = FrameMode(*viewport);
  if (mode < kDisplayFastShading) {
    FillBackground(*viewport);
    DrawViewBackground();
  } else if (mode == kDisplayFastShading) {
    RenderFrameGL();
  } else if (mode == kDisplayShadingInColor) {
    RenderActiveView(0);
  } else if (mode == kDisplayRendering) {
    RenderActiveView(1);
  }
  const BatchedLines lines;
  if (viewport->viewType != kView3D && viewport->displayMode <= kDisplayFastShading) {
    DrawGridAndAxes(*viewport);
  }
  DrawSceneObjects(mode);
  if (ToolPreviewList != nullptr && mode != kDisplayFastShading) DrawToolPreview(mode);
}

bool ViewFrameRunning() { return frameRunning; }

void RunAfterViewFrame(std::function<void()> work) {
  if (frameRunning) {
    afterFrame.push_back(std::move(work));
  } else {
    work();
  }
}

void ResetViewRendering() {
  DragRedrawFlag = 0;
  DepthReadBackFlag = 0;
  GlFrameFlag = 0;
  ToolPreviewList = nullptr;
  ToolPreviewMatrix = kIdentityMatrix;
  frameRunning = false;
  afterFrame.clear();
  ResetGlViewFrame();
  ResetGlShading();
  InstallGlCalls(nullptr);
  ResetActiveViewRenderer();
}

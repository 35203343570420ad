#include <algorithm>
#include <functional>
#include <utility>

#include "scene/drawing_context.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/tool.h"
#include "scene/viewport.h"

namespace {

// Feedback colours: the transient or overlay tool dark blue, the default tool blue.
constexpr ColorRef kSecondaryFeedbackColor = 0x880000;
constexpr ColorRef kDefaultFeedbackColor = 0xFF0000;

}  // namespace

void CViewport::ApplyProjection() {
  SetViewportTransform(width, height, zoomScale / viewExtent, -1);
  SetModelMatrix(viewMatrix);
  if (dirtyFlag != 0) {
    dirtyLeft = std::max(dirtyLeft, x);
    dirtyRight = std::min(dirtyRight, x + width);
    dirtyTop = std::max(dirtyTop, y);
    dirtyBottom = std::min(dirtyBottom, y + height);
  }
}

void CViewport::AddDirtyRect(int left, int top, int right, int bottom) {
  const bool outside = left >= x + width || right <= x || top >= y + height || bottom <= y;
  if (dirtyFlag == 0) {
    dirtyFlag = 1;
    if (outside) {
      dirtyLeft = dirtyTop = dirtyRight = dirtyBottom = 0;
    } else {
      dirtyLeft = left, dirtyTop = top, dirtyRight = right, dirtyBottom = bottom;
    }
    return;
  }
  if (outside) return;
  if (dirtyLeft < dirtyRight && dirtyTop < dirtyBottom) {
    dirtyLeft = std::min(dirtyLeft, left);
    dirtyTop = std::min(dirtyTop, top);
    dirtyRight = std::max(dirtyRight, right);
    dirtyBottom = std::max(dirtyBottom, bottom);
  } else {
    dirtyLeft = left, dirtyTop = top, dirtyRight = right, dirtyBottom = bottom;
  }
}

// Tool feedback is drawn over the window and erased by putting back the clean image kept off
// screen: mode 0 alternates erase and draw, mode 1 draws, mode 2 first keeps the window as the
// clean image, and -2 erases and leaves the state at 0 for the next full redraw.
int CViewport::Refresh(int mode) {
  if (IsVisible() == 0) return 0;
  int m = mode == -2 ? 0 : mode;
  if (feedbackState < 0) {
    feedbackState = 0;
    if (m != 0) m = 2;
  }
  CViewport* previous = SetActiveView(this);
  ApplyProjection();
  feedbackState = m == 0 && feedbackState == 0 ? 1 : 0;
  CTool* defaultTool = GetTool(1);
  CTool* otherTool = GetTool(2);
  // Either tool may retire the other or itself while it draws.
  ToolCallGuard defaultCall(defaultTool);
  ToolCallGuard otherCall(otherTool);
  if (m >= 2) SaveWindowImage();
  if (defaultTool != nullptr || otherTool != nullptr) {
    if (feedbackState == 1) RestoreWindowImage();
    if (otherTool != nullptr && feedbackState == 0) {
      SetDrawColor(kSecondaryFeedbackColor);
      otherTool->DrawFeedback(buttonBits);
    }
    // The default tool's marks stay on screen beside another tool's feedback, even after an
    // erase.
    if (defaultTool != nullptr && (otherTool != nullptr || feedbackState == 0)) {
      SetDrawColor(kDefaultFeedbackColor);
      defaultTool->DrawFeedback(otherTool != nullptr ? 0 : buttonBits);
    }
  }
  SetActiveView(previous);
  if (mode == -2) feedbackState = 0;
  // Every full redraw ends here, and all tool feedback passes through.
  WindowImageChanged();
  return mode;
}

void CViewport::MakeActive() { SetActiveView(this); }

void RedrawView(CViewport* viewport) {
  // A redraw asked while a frame is drawn (the frame's abort check lets events through) waits
  // for it. A bare pane then draws into the drawing view of the moment it was asked. Either may
  // be gone by then, and the redraw with it.
  if (ViewFrameRunning()) {
    const bool bare = viewport->WindowImageView() == nullptr;
    CanvasView* target = bare ? GetDrawingView() : nullptr;
    std::function<void()> redraw = viewport->Life().Guard([viewport, bare, target] {
      if (!bare) {
        RedrawView(viewport);
        return;
      }
      CanvasView* previousTarget = SetDrawingView(target);
      RedrawView(viewport);
      SetDrawingView(previousTarget);
    });
    RunAfterViewFrame(target != nullptr ? target->CanvasLife().Guard(std::move(redraw))
                                        : std::move(redraw));
    return;
  }
  // Whichever pane was last made the drawing view (the wheel makes the pane under the pointer
  // one), a pane's frame goes into its own window.
  CanvasView* own = viewport->WindowImageView();
  CanvasView* previousTarget = own != nullptr ? SetDrawingView(own) : nullptr;
  CViewport* previous = SetActiveView(viewport);
  viewport->ApplyProjection();
  RenderView();
  SetActiveView(previous);
  viewport->Refresh(2);
  viewport->dirtyFlag = 0;
  if (own != nullptr) SetDrawingView(previousTarget);
}

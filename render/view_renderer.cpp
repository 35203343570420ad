#include "render/view_renderer.h"

#include <malloc.h>

#include <new>

#include "kernel/matrix4.h"
#include "platform/command_queue.h"
#include "render/render_node.h"
#include "render/render_state.h"
#include "render/render_state_scope.h"
#include "render/render_tree.h"
#include "render/view_render_scan.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/view_background.h"
#include "scene/viewport.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

void RenderArea(const CViewport& viewport, int left, int top, int right, int bottom) {
  // Row pixels are relative to the pane's centre, not the dirty rectangle's.
  SetPictureShadingState(viewport.x + viewport.width / 2, viewport.y + viewport.height / 2, -1.0f,
                         viewport.height / 2);
  ResetBackgroundColor();
  // A point under the top lands on window pixels through the projection, while normals are
  // turned by the view matrix alone.
  const Matrix4 view = GetActiveViewMatrix();
  RenderMatrixTop() = view;
  RenderProjection = MatMultiply(MatInverse(view), GetViewTransform());
  RenderTreeGuard tree(BuildRenderTree(RenderProjection, 1));
  SetBackgroundRenderFrame(0.0f, 0.0f, 1.0f, 1.0f);
  RenderViewRows(tree.get(), left, right - 1, top, bottom - 1);
}

}  // namespace

void SoftwareRenderActiveView(int which) {
  CViewport* viewport = GetActiveView();
  if (RenderNestingCount > 0 || viewport == nullptr) return;
  ApplyActiveViewProjection();
  RenderStateScope saved;
  ShadingMode = static_cast<std::int16_t>(which);
  int left = viewport->x;
  int top = viewport->y;
  int right = viewport->x + viewport->width;
  int bottom = viewport->y + viewport->height;
  if (viewport->dirtyFlag != 0) {
    left = viewport->dirtyLeft;
    top = viewport->dirtyTop;
    right = viewport->dirtyRight;
    bottom = viewport->dirtyBottom;
    if (right < left || bottom < top) return;
  }
  try {
    RenderArea(*viewport, left, top, right, bottom);
  } catch (const std::bad_alloc&) {
    // Never a modal box inside the view's frame: the main loop shows it once the frame is over.
    ProgramCommandQueue().PostCall(
        [] { ShowMessageBox(GetLocalizedString(kNotEnoughMemoryMessage)); });
  }
  // The tree's pools are gone; give their pages back rather than keep a render's peak.
  malloc_trim(0);
}

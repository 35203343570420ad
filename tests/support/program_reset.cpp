#include "program_reset.h"

#include <utility>

#include "app/app_state.h"
#include "app/core/app_core_state.h"
#include "kernel/kernel_state.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/drawing_context.h"
#include "scene/pending_views.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/transform_tool.h"
#include "scene/view_commands.h"
#include "scene/view_type_change.h"
#include "scene/vorn_view.h"

void ResetProgramState(std::function<void(const std::string& what)> onUnscripted) {
  // Objects go before the kernel's name pool that their names point into.
  ResetScene();
  ResetKernelState();
  ResetDrawingContext();
  ResetViewRendering();
  ResetViewTypeState();
  ResetPendingViews();
  ResetViewCommandState();
  ResetViewWindowState();
  ResetTransformTools();
  ResetPlatformState();
  Headless().onUnscripted = std::move(onUnscripted);
  ResetAppCoreState();
  ResetAppState();
  // Last: it installs itself into the queue and the cursor that the resets above cleared.
  ResetToolFramework();
}

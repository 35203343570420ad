#include "program_reset.h"

#include <utility>

#include "app/app_state.h"
#include "exchange/exchange_state.h"
#include "kernel/kernel_state.h"
#include "manufacturing/manufacturing_state.h"
#include "modelling/modelling_state.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "render/current_material.h"
#include "render/material_browser.h"
#include "render/material_editor.h"
#include "render/render_node.h"
#include "render/render_state.h"
#include "render/render_to_file.h"
#include "scene/background_image_dialog.h"
#include "scene/drawing_context.h"
#include "scene/pending_views.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/transform_tool.h"
#include "scene/view_background.h"
#include "scene/view_commands.h"
#include "scene/view_type_change.h"
#include "scene/vorn_view.h"
#include "services/app_core_state.h"
#include "temp_dir.h"

namespace {

// What the program keeps in the user's own folder goes to a folder of this run instead.
const std::string& ScratchUserDataDir() {
  static const TempDir folder;
  return folder.path();
}

}  // namespace

void ResetProgramState(std::function<void(const std::string& what)> onUnscripted) {
  // Objects go before the kernel's name pool that their names point into.
  ResetScene();
  ResetKernelState();
  ResetRenderState();
  ResetRenderEngine();
  ResetRenderToFileDialog();
  ResetMaterialsDialog();
  ResetEditMaterialDialog();
  ResetCurrentMaterialName();
  ResetExchangeState();
  ResetManufacturingState();
  ResetDrawingContext();
  ResetViewRendering();
  ResetViewTypeState();
  ResetPendingViews();
  ResetViewCommandState();
  ResetViewBackground();
  ResetBackgroundImageDialog();
  ResetViewWindowState();
  ResetTransformTools();
  ResetPlatformState();
  SetUserDataDirOverride(ScratchUserDataDir());
  Headless().onUnscripted = std::move(onUnscripted);
  ResetAppCoreState();
  ResetAppState();
  ResetModellingState();
  // Last: it installs itself into the queue and the cursor that the resets above cleared.
  ResetToolFramework();
}

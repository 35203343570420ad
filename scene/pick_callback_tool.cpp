#include "scene/pick_callback_tool.h"

#include "scene/scene.h"
#include "scene/static_tools.h"
#include "scene/tool_framework.h"

void CPickCallbackTool::OnLButtonUp(int, int, int) {
  if (picked == nullptr) return;
  // The tool leaves first, so the callback may install the next one.
  if (keepInstalled == 0) TakeSecondaryTool();
  RunCallback();
}

void CPickCallbackTool::RunCallback() {
  if (callback != nullptr) callback(this);
}

void StartCallbackTool(CPickCallbackTool::Callback callback, int wantedKind, int memberKind) {
  CPickCallbackTool& tool = PickCallbackTool();
  tool.callback = callback;
  tool.wantedKind = wantedKind;
  tool.memberKind = memberKind;
  TheScene.secondaryTool = &tool;
}

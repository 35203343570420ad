#include "scene/pick_callback_tool.h"

#include "kernel/geom_object.h"
#include "scene/object_picking.h"
#include "scene/scene.h"
#include "scene/static_tools.h"
#include "scene/tool_framework.h"

void CPickCallbackTool::OnLButtonDown(int, int x, int y) {
  constexpr int kRed = 255;
  TheScene.pickedGroup = nullptr;
  if (memberKind == 0) {
    picked = PickObjectAt(x, y, wantedKind, kRed);
    return;
  }
  picked = PickObjectAt(x, y, 0, -1);
  if (picked == nullptr) return;
  const int kind = picked->GetKind();
  if (kind == kKindBoolean) {
    TheScene.pickedGroup = picked;
    picked = PickInGroup(picked, x, y, memberKind, kRed);
    if (picked == nullptr) TheScene.pickedGroup = nullptr;
  } else if (kind == wantedKind || kind == memberKind) {
    boundViewport = GetActiveView();
    HighlightObject(picked, kRed);
  } else {
    picked = nullptr;
  }
}

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

#include "scene/tool_framework.h"

#include "platform/command_queue.h"
#include "scene/pick_tool.h"
#include "scene/pointer_snapping.h"
#include "scene/scene.h"
#include "scene/static_tools.h"
#include "scene/tool_lifetime.h"
#include "scene/undo_history.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kPickingString = 10040;  // "Picking..."

void CallCurrentTool(void (CTool::*operation)()) {
  CTool* tool = GetTool(0);
  if (tool == nullptr) return;
  ToolCallGuard call(tool);
  (tool->*operation)();
}

}  // namespace

int GetCurrentToolCursorId() {
  const CTool* tool = GetTool(0);
  return tool != nullptr ? tool->GetCursorId() : 0;
}

CTool* TakeSecondaryTool() {
  CTool* tool = TheScene.secondaryTool;
  if (tool == nullptr) {
    SendCommand(kPickCommand);
    return nullptr;
  }
  TheScene.secondaryTool = nullptr;
  ShowRunningToolPrompt();
  return tool;
}

void ShowToolPrompt(CTool* tool, const std::string& text) {
  if (tool != nullptr) tool->prompt = text;
  ShowStatusText(text);
}

void ShowRunningToolPrompt() {
  const CTool* tool = GetTool(0);
  ShowStatusText(tool != nullptr ? tool->prompt : std::string());
}

CTool* NewPickTool() {
  CTool* tool = new CPickTool();
  ShowToolPrompt(tool, GetLocalizedString(kPickingString));
  return tool;
}

void StoreDefaultTool(CTool* tool) { StoreOwnedTool(TheScene.defaultTool, tool); }

void ResetToPickTool() {
  StoreDefaultTool(NewPickTool());
  SetToolCursor();
}

void UndoWithCurrentTool() {
  CallCurrentTool(&CTool::Undo);
  ShowRunningToolPrompt();
}

void RedoWithCurrentTool() {
  CallCurrentTool(&CTool::Redo);
  ShowRunningToolPrompt();
}

void UnbindToolsFromHistory(CUndoHistory* history) {
  if (history->ownedTool != nullptr) {
    RetireTool(std::move(history->ownedTool), 1);
    return;
  }
  CTool* tool = TheScene.defaultTool.get();
  if (tool != nullptr && tool->ownerHistory == history) tool->boundViewport = nullptr;
}

void StartToolFramework() {
  BuildStaticTools();
  SetToolCursorIdSource(&GetCurrentToolCursorId);
  ProgramCommandQueue().SetBeforeEachCommand(&DestroyRetiredTools);
}

void ResetToolFramework() {
  ResetRetiredTools();
  ResetPointerSnapping();
  StartToolFramework();
}

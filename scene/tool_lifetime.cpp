#include "scene/tool_lifetime.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "scene/scene.h"
#include "scene/tool_framework.h"

namespace {

struct RetiredTool {
  std::unique_ptr<CTool> tool;
  int withoutActiveView = 0;
};

std::vector<RetiredTool> retiredTools;

void Destroy(RetiredTool retired) {
  if (retired.withoutActiveView == 0) {
    retired.tool.reset();
    return;
  }
  // Set directly: activating a viewport would rebind the default tool as a side effect.
  CViewport* active = std::exchange(TheScene.activeViewport, nullptr);
  retired.tool.reset();
  TheScene.activeViewport = active;
}

}  // namespace

void RetireTool(std::unique_ptr<CTool> tool, int withoutActiveView) {
  if (tool == nullptr) return;
  // Whatever runs now speaks in the status bar, not the tool that ended.
  ShowRunningToolPrompt();
  RetiredTool retired{std::move(tool), withoutActiveView};
  if (ToolCallsInProgress(retired.tool.get()) == 0) {
    Destroy(std::move(retired));
  } else {
    retiredTools.push_back(std::move(retired));
  }
}

void StoreOwnedTool(std::unique_ptr<CTool>& slot, CTool* tool) {
  if (slot.get() == tool) return;
  // The slot holds the new tool before the old one's destructor runs and may look at the slots.
  std::unique_ptr<CTool> previous(slot.release());
  slot.reset(tool);
  RetireTool(std::move(previous));
}

void DestroyRetiredTools() {
  // A destructor may retire further tools, so the list is taken apart before anything dies.
  for (;;) {
    auto idle = std::stable_partition(retiredTools.begin(), retiredTools.end(), [](const RetiredTool& r) {
      return ToolCallsInProgress(r.tool.get()) != 0;
    });
    if (idle == retiredTools.end()) return;
    std::vector<RetiredTool> destroyed(std::make_move_iterator(idle),
                                       std::make_move_iterator(retiredTools.end()));
    retiredTools.erase(idle, retiredTools.end());
    for (RetiredTool& retired : destroyed) Destroy(std::move(retired));
  }
}

int RetiredToolCount() { return static_cast<int>(retiredTools.size()); }

void ResetRetiredTools() {
  while (!retiredTools.empty()) {
    std::vector<RetiredTool> destroyed = std::move(retiredTools);
    retiredTools.clear();
    for (RetiredTool& retired : destroyed) Destroy(std::move(retired));
  }
}

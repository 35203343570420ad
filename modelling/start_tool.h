#pragma once

#include <utility>

#include "scene/scene.h"
#include "scene/tool.h"
#include "scene/tool_framework.h"
#include "services/string_table.h"

// Makes a T (a tool constructed in mode 0) the default tool with its localised prompt; the
// command's row shows its cursor. Makes none without an active viewport, as it would be
// installed nowhere and leak.
template <class T, class... Args>
T* StartDefaultTool(int promptKey, Args&&... args) {
  if (GetActiveView() == nullptr) return nullptr;
  T* tool = new T(std::forward<Args>(args)...);
  ShowToolPrompt(tool, GetLocalizedString(promptKey));
  return tool;
}

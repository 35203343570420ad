#include "scene/active_view_renderer.h"

#include <utility>

namespace {
std::function<void(int)> registered;
}  // namespace

void RegisterActiveViewRenderer(std::function<void(int which)> renderer) {
  registered = std::move(renderer);
}

bool HasActiveViewRenderer() { return static_cast<bool>(registered); }

void RenderActiveView(int which) {
  if (registered) registered(which);
}

void ResetActiveViewRenderer() { registered = nullptr; }

#pragma once

#include <functional>

// The software renderer draws display modes 300 (which = 0, shading in colour) and 400 (which =
// 1, rendering) into the active viewport. It registers itself here at start-up; until one has,
// those modes draw as Fast Shading.
void RegisterActiveViewRenderer(std::function<void(int which)> renderer);
bool HasActiveViewRenderer();
// Does nothing while no renderer is registered.
void RenderActiveView(int which);

void ResetActiveViewRenderer();

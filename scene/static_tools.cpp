#include "scene/static_tools.h"

#include <memory>
#include <utility>

#include "scene/input_tools.h"
#include "scene/pick_callback_tool.h"
#include "scene/zoom_tools.h"
#include "scene/scene.h"

namespace {

std::unique_ptr<CZoomBoxTool> zoomBoxTool;
std::unique_ptr<CPointPickTool> pointPickTool;
std::unique_ptr<CVectorDragTool> vectorDragTool;
std::unique_ptr<CPickCallbackTool> pickCallbackTool;

// Replaces a static tool by a fresh one; the old one leaves the secondary slot first.
template <class T>
void Rebuild(std::unique_ptr<T>& tool) {
  if (tool != nullptr && TheScene.secondaryTool == tool.get()) TheScene.secondaryTool = nullptr;
  tool.reset();
  tool = std::make_unique<T>();
}

}  // namespace

void BuildStaticTools() {
  // Set directly: activating a viewport would rebind the default tool as a side effect.
  CViewport* active = std::exchange(TheScene.activeViewport, nullptr);
  Rebuild(zoomBoxTool);
  Rebuild(pointPickTool);
  Rebuild(vectorDragTool);
  Rebuild(pickCallbackTool);
  TheScene.activeViewport = active;
}

CPickCallbackTool& PickCallbackTool() { return *pickCallbackTool; }
CPointPickTool& PointPickTool() { return *pointPickTool; }
CVectorDragTool& VectorDragTool() { return *vectorDragTool; }
CZoomBoxTool& ZoomBoxTool() { return *zoomBoxTool; }

#include "scene/tool.h"

#include "kernel/bounds_box.h"
#include "scene/scene.h"
#include "scene/tool_lifetime.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

namespace {

CTool* liveTools = nullptr;

}  // namespace

CTool::CTool() {
  liveNext_ = liveTools;
  if (liveTools != nullptr) liveTools->livePrev_ = this;
  liveTools = this;
}

CTool::CTool(int mode) : CTool() {
  buttonBits = 0;
  RetireTool(std::move(TheScene.overlayTool));
  if (mode == 2) {
    TheScene.overlayTool.reset(this);
    return;
  }
  if (mode != 0) {
    TheScene.secondaryTool = this;
    return;
  }
  boundViewport = nullptr;
  ownerHistory = nullptr;
  TheScene.secondaryTool = nullptr;
  CViewport* active = GetActiveView();
  // Without an active viewport the tool is installed nowhere; the static tools are made so.
  if (active == nullptr) return;
  StoreOwnedTool(TheScene.defaultTool, this);
  if (active->documentHistory != nullptr) active->documentHistory->BeginStep();
}

CTool::~CTool() {
  if (livePrev_ != nullptr) {
    livePrev_->liveNext_ = liveNext_;
  } else {
    liveTools = liveNext_;
  }
  if (liveNext_ != nullptr) liveNext_->livePrev_ = livePrev_;
}

void CTool::OnLButtonDblClk(int, int, int) {}
void CTool::OnLButtonDown(int, int, int) {}
void CTool::OnLButtonUp(int, int, int) {}
void CTool::OnRButtonDblClk(int, int, int) {}
void CTool::OnRButtonDown(int flags, int x, int y) { OnLButtonDblClk(flags, x, y); }
void CTool::OnRButtonUp(int, int, int) {}
void CTool::OnMouseMove(int, int, int) {}
void CTool::DrawFeedback(int) {}

void CTool::GetBounds(Vector3* min, Vector3* max) const { ResetBounds(min, max); }

int ToolCallsInProgress(const CTool* tool) { return tool != nullptr ? tool->callsInProgress_ : 0; }

void UnbindToolsFromViewport(const CViewport* viewport) {
  for (CTool* tool = liveTools; tool != nullptr; tool = tool->liveNext_) {
    if (tool->boundViewport == viewport) tool->boundViewport = nullptr;
  }
}

#include <array>

#include "platform/command_queue.h"
#include "scene/pending_views.h"
#include "scene/view_frame.h"
#include "scene/view_tiling.h"
#include "scene/vorn_view.h"

int TilingPending = 0;

void CVornView::OnTileFrontRightTop3D() { Tile(3300); }
void CVornView::OnTileBackLeftBottom3D() { Tile(3301); }
void CVornView::OnTileFrontRight() { Tile(3310); }
void CVornView::OnTileFrontTop() { Tile(3311); }

// Missing views are asked for with new-window requests and the command runs again after them,
// on this view (each new view becomes the active one as it is made). That second run never asks
// again: a view that could not be made leaves its slot empty, and the filled slots are laid out.
void CVornView::Tile(int id) {
  const Tiling* tiling = TilingOfCommand(id);
  if (tiling == nullptr || document_ == nullptr) return;
  const bool secondRun = TilingPending != 0;
  TilingPending = 0;

  const TileAssignment assignment = AssignTileSlots(*tiling, this, document_);
  std::array<CVornView*, kMaxTileSlots> slots{};
  bool missing = false;
  for (int slot = 0; slot < tiling->slotCount; ++slot) {
    slots[slot] = dynamic_cast<CVornView*>(assignment.views[slot]);
    missing = missing || slots[slot] == nullptr;
    // A view that fills the 3-D slot gets the saved 3-D camera, as the 3D command gives it:
    // its own axes are those of another slot's type.
    if (slots[slot] != nullptr && assignment.retyped[slot]) {
      const int type = tiling->slotTypes[slot];
      slots[slot]->ChangeType(type, type == kView3D ? 1 : 0);
    }
  }
  if (missing && !secondRun) {
    NewWindowSourceView = this;
    for (int slot = 0; slot < tiling->slotCount; ++slot) {
      if (slots[slot] == nullptr) PushPendingViewType(tiling->slotTypes[slot]);
    }
    TilingPending = 1;
    ProgramCommandQueue().PostCall(
        [again = WhileAlive([id](CVornView& view) { view.Tile(id); })] {
          again();
          TilingPending = 0;
        });
    return;
  }

  // A slot's view gets its orientation afresh from this view's type, translation included.
  for (int slot = 0; slot < tiling->slotCount; ++slot) {
    CVornView* view = slots[slot];
    if (view == nullptr) continue;
    view->displayMode = displayMode;
    const int type = tiling->slotTypes[slot];
    if (type != kView3D && type != viewType) {
      view->viewType = viewType;
      view->SetViewType(type, 0);
    }
  }

  MdiHost* host = GetMdiHost();
  if (host == nullptr) return;
  std::array<ViewFrame*, kMaxTileSlots> frames{};
  for (int slot = 0; slot < tiling->slotCount; ++slot) {
    ViewFrame* frame = slots[slot] != nullptr ? slots[slot]->Frame() : nullptr;
    if (frame == nullptr) continue;
    if (frame->IsMinimized() || frame->IsMaximized()) frame->Restore();
    const TileRect rect = TileSlotRect(*tiling, slot, host->ClientWidth(), host->ClientHeight());
    frame->PlaceWithoutActivating(rect.x, rect.y, rect.width, rect.height);
    frames[slot] = frame;
  }
  host->Tiled(*tiling, std::span<ViewFrame* const>(frames.data(), tiling->slotCount));
  const CVornView* activated = slots[ActivatedTileSlot(*tiling, viewType)];
  if (ViewFrame* frame = activated != nullptr ? activated->Frame() : nullptr) frame->Activate();
}

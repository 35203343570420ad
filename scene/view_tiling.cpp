#include "scene/view_tiling.h"

#include <algorithm>

#include "scene/undo_history.h"
#include "scene/viewport.h"

namespace {

constexpr Tiling kFrontRightTop3D = {4, {kViewFront, kViewRight, kViewTop, kView3D}};
constexpr Tiling kBackLeftBottom3D = {4, {kViewBack, kViewLeft, kViewBottom, kView3D}};
constexpr Tiling kFrontRight = {2, {kViewFront, kViewRight}};
constexpr Tiling kFrontTop = {2, {kViewFront, kViewTop}};

bool Placed(const TileAssignment& assignment, const CViewport* view) {
  return std::find(assignment.views.begin(), assignment.views.end(), view) != assignment.views.end();
}

void PlaceByType(const Tiling& tiling, TileAssignment* assignment, CViewport* view) {
  if (Placed(*assignment, view)) return;
  for (int slot = 0; slot < tiling.slotCount; ++slot) {
    if (tiling.slotTypes[slot] != view->viewType) continue;
    if (assignment->views[slot] == nullptr) assignment->views[slot] = view;
    return;
  }
}

}  // namespace

const Tiling* TilingOfCommand(int id) {
  switch (id) {
    case 3300: return &kFrontRightTop3D;
    case 3301: return &kBackLeftBottom3D;
    case 3310: return &kFrontRight;
    case 3311: return &kFrontTop;
    default: return nullptr;
  }
}

TileAssignment AssignTileSlots(const Tiling& tiling, CViewport* commandView, CUndoHistory* document) {
  TileAssignment assignment;
  PlaceByType(tiling, &assignment, commandView);
  while (CViewport* view = document->NextView()) PlaceByType(tiling, &assignment, view);
  while (CViewport* view = document->NextView()) {
    if (Placed(assignment, view)) continue;
    for (int slot = 0; slot < tiling.slotCount; ++slot) {
      if (assignment.views[slot] != nullptr) continue;
      assignment.views[slot] = view;
      assignment.retyped[slot] = true;
      break;
    }
  }
  return assignment;
}

TileRect TileSlotRect(const Tiling& tiling, int slot, int clientWidth, int clientHeight) {
  const int hw = clientWidth / 2;
  const int hh = clientHeight / 2;
  if (tiling.slotCount == 2) return {slot == 0 ? 0 : hw, 0, hw, clientHeight};
  return {(slot % 2) * hw, slot < 2 ? hh : 0, hw, hh};
}

int ActivatedTileSlot(const Tiling& tiling, int viewType) {
  for (int slot = 0; slot < tiling.slotCount; ++slot) {
    if (tiling.slotTypes[slot] == viewType) return slot;
  }
  return 0;
}

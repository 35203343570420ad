#pragma once

#include <array>

class CUndoHistory;
class CViewport;

// The layouts of the tiling commands: two or four slots, each wanting a view type.
inline constexpr int kMaxTileSlots = 4;

struct Tiling {
  int slotCount = 0;
  std::array<int, kMaxTileSlots> slotTypes{};
};

// The layout of commands 3300, 3301, 3310 and 3311; null for any other id.
const Tiling* TilingOfCommand(int id);

struct TileAssignment {
  std::array<CViewport*, kMaxTileSlots> views{};
  // Set for a view that took a slot of another type and must be given the slot's type.
  std::array<bool, kMaxTileSlots> retyped{};
};

// Fills the slots from the document's views: first every view whose type a slot wants (the
// command's view before the others), then the rest in order into the empty slots. Views beyond
// the slots stay out; slots without a view stay null.
TileAssignment AssignTileSlots(const Tiling& tiling, CViewport* commandView, CUndoHistory* document);

struct TileRect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const TileRect&, const TileRect&) = default;
};

// Four slots: lower left, lower right, upper left, upper right; two slots: left and right halves
// of the full height.
TileRect TileSlotRect(const Tiling& tiling, int slot, int clientWidth, int clientHeight);

// The slot that wants the view type, else slot 0.
int ActivatedTileSlot(const Tiling& tiling, int viewType);
